// The closing music: the command strings PlayMusic and StopMusic send, and
// the multimedia command layer's answers, down to the real MIDI player.
#include "multimedia_commands.h"
#include "recording.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace quorvex;
using namespace quorvex::ui;

namespace {

/// A tune that always plays, for exercising the command layer alone.
struct FakeTune : Tune {
    bool playFromStart() override { return true; }
    bool stop() override { return true; }
};

std::unique_ptr<Tune> openAnything(const std::string&, int&) {
    return std::make_unique<FakeTune>();
}

const QString kTune = QUORVEX_SOURCE_DIR "/resources/music/END.MID";

} // namespace

class MusicTest : public QObject {
    Q_OBJECT
private slots:
    void playMusic_data() {
        QTest::addColumn<int>("openResult");
        QTest::addColumn<QStringList>("commands");
        // The name goes in unquoted, blank and all.
        const QStringList opening = {"stop tune1", "close tune1",
                                     "open /home/a b/END.MID alias tune1"};
        QTest::newRow("played, then stopped")
            << 0 << opening + QStringList{"play tune1 from 0", "stop tune1", "close tune1"};
        QTest::newRow("no play after a failed open")
            << int(kMmFileNotFound) << opening + QStringList{"stop tune1", "close tune1"};
    }
    void playMusic() {
        QFETCH(int, openResult);
        QFETCH(QStringList, commands);
        testing::Recording rec;
        rec.openResult = openResult;
        CommonModule common = rec.module();
        QCOMPARE(common.PlayMusic("/home/a b/END.MID", "tune1"), openResult == 0);
        common.StopMusic("tune1");
        QStringList sent;
        for (const std::string& c : rec.commands) sent << QString::fromStdString(c);
        QCOMPARE(sent, commands);
    }

    void commandLayer_data() {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QList<int>>("codes");
        QTest::newRow("open, play, stop, close")
            << QStringList{"open x.mid alias t", "play t from 0", "stop t", "close t"}
            << QList<int>{0, 0, 0, 0};
        QTest::newRow("stop and close of an alias never opened")
            << QStringList{"stop tune1", "close tune1"}
            << QList<int>{kMmUnknownAlias, kMmUnknownAlias};
        QTest::newRow("one tune per alias")
            << QStringList{"open x.mid alias t", "open y.mid alias t"}
            << QList<int>{0, kMmAliasInUse};
        // A tune installed under a folder with a blank cannot be opened at all.
        QTest::newRow("a blank in the file name splits it")
            << QStringList{"open /a b/x.mid alias t", "play t from 0"}
            << QList<int>{kMmBadSyntax, kMmUnknownAlias};
        QTest::newRow("malformed")
            << QStringList{"open x.mid t", "", "pause t", "play t from 5"}
            << QList<int>{kMmBadSyntax, kMmUnknownCommand, kMmUnknownCommand, kMmBadSyntax};
    }
    void commandLayer() {
        QFETCH(QStringList, commands);
        QFETCH(QList<int>, codes);
        MultimediaCommands layer(openAnything);
        for (int i = 0; i < commands.size(); ++i)
            QCOMPARE(layer.send(commands[i].toStdString()), codes[i]);
    }

    void openRefused_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("code");
        QTest::newRow("missing file") << "/nonexistent/music/END.MID" << int(kMmFileNotFound);
        QTest::newRow("not MIDI") << QUORVEX_SOURCE_DIR "/README.md"
                                  << int(midiAvailable() ? kMmNotMidi : kMmNoDevice);
    }
    void openRefused() {
        QFETCH(QString, file);
        QFETCH(int, code);
        MultimediaCommands layer;
        QCOMPARE(layer.send(("open " + file + " alias tune1").toStdString()), code);
        QCOMPARE(layer.send("play tune1 from 0"), int(kMmUnknownAlias));
    }

    void realTunePlaysAndStops() {
        if (!midiAvailable()) QSKIP("built without FluidSynth or no General MIDI soundfont");
        // The synthesiser writes into a file instead of a sound device.
        QTemporaryDir tmp;
        MultimediaCommands layer(midiTuneOpener({"file", tmp.filePath("out.raw").toStdString()}));
        QCOMPARE(layer.send("open " + kTune.toStdString() + " alias tune1"), 0);
        QCOMPARE(layer.send("play tune1 from 0"), 0);
        QCOMPARE(layer.send("stop tune1"), 0);
        QCOMPARE(layer.send("close tune1"), 0);
        QCOMPARE(layer.send("stop tune1"), int(kMmUnknownAlias));
    }
};

QTEST_MAIN(MusicTest)
#include "music_test.moc"
