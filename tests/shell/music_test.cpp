// The closing music: the command strings PlayMusic and StopMusic send, and
// the multimedia command layer's answers, down to the real MIDI player.
#include "multimedia_commands.h"
#include "recording.h"
#include "support.h"

#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <memory>
#include <string>
#include <vector>

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
    void playMusic() {
        // The name goes in unquoted, blank and all; no play after a failed open.
        const std::vector<std::string> opening = {"stop tune1", "close tune1",
                                                  "open /home/a b/END.MID alias tune1"};
        for (const int openResult : {0, int(kMmFileNotFound)}) {
            testing::Recording rec;
            rec.openResult = openResult;
            CommonModule common = rec.module();
            QCOMPARE(common.PlayMusic("/home/a b/END.MID", "tune1"), openResult == 0);
            common.StopMusic("tune1");
            std::vector<std::string> expected = opening;
            if (openResult == 0) expected.push_back("play tune1 from 0");
            expected.insert(expected.end(), {"stop tune1", "close tune1"});
            QCOMPARE(rec.commands, expected);
        }
    }

    void commandLayer() {
        const std::map<std::string, int> codes{{"ok", kMmOk},
                                               {"unknown command", kMmUnknownCommand},
                                               {"bad syntax", kMmBadSyntax},
                                               {"unknown alias", kMmUnknownAlias},
                                               {"alias in use", kMmAliasInUse}};
        std::unique_ptr<MultimediaCommands> layer;
        std::string sequence;
        for (const auto& r : quorvex::testing::table("multimedia_commands")) {
            if (r[0] != sequence) layer = std::make_unique<MultimediaCommands>(openAnything);
            sequence = r[0];
            QCOMPARE(layer->send(r[1]), codes.at(r[2]));
        }
    }

    void openRefused() {
        const std::pair<QString, int> files[] = {
            {"/nonexistent/music/END.MID", kMmFileNotFound},
            {QUORVEX_SOURCE_DIR "/README.md", midiAvailable() ? kMmNotMidi : kMmNoDevice}};
        for (const auto& [file, code] : files) {
            MultimediaCommands layer;
            QCOMPARE(layer.send(("open " + file + " alias tune1").toStdString()), code);
            QCOMPARE(layer.send("play tune1 from 0"), int(kMmUnknownAlias));
        }
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
