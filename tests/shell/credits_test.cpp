// The closing credits: the scroll rule, the window and its tune, and a click
// that stops the music and ends the program.
#include "credits_rule.h"
#include "frm_exit.h"
#include "recording.h"
#include "support.h"

#include <QLabel>
#include <QTimer>
#include <QtTest>

using namespace quorvex;
using namespace quorvex::ui;

class CreditsTest : public QObject {
    Q_OBJECT
private slots:
    void scrollRule() {
        for (const auto& r : quorvex::testing::table("credits_scroll")) {
            const int from = std::stoi(r[1]);
            QCOMPARE(r[0] == "step" ? scrollStepFor(from) : nextLabelTop(from, 3000, 6885, 28),
                     std::stoi(r[2]));
        }
    }

    void scrollsUpWhileTheTunePlays() {
        testing::Recording rec;
        CommonModule common = rec.module();
        FrmExit credits(common, [] {});
        QCOMPARE(rec.commands.size(), std::size_t(4));
        QVERIFY(QString::fromStdString(rec.commands[2]).endsWith("/music/END.MID alias tune1"));
        QCOMPARE(rec.commands[3], std::string("play tune1 from 0"));
        credits.Form_Load();
        QVERIFY(credits.isVisible());
        QVERIFY(credits.Timer1()->isActive());
        QCOMPARE(credits.labelTop(), 6885);
        for (int i = 0; i < 150; ++i) credits.Timer1_Timer();
        QCOMPARE(credits.labelTop(), 6885 - 150 * 28);
        QVERIFY(credits.grab().save(QUORVEX_TEST_OUTPUT "/credits.png")); // for a look
    }

    void ending_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("click on the window") << "window";
        QTest::newRow("click on the label") << "label";
        QTest::newRow("closed otherwise") << "close";
    }
    void ending() {
        QFETCH(QString, how);
        testing::Recording rec;
        CommonModule common = rec.module();
        FrmExit credits(common, [&] { ++rec.ended; });
        credits.Form_Load();
        for (int i = 0; i < 120; ++i) credits.Timer1_Timer(); // the label is on screen now
        rec.commands.clear();
        if (how == "close") credits.close();
        else
            QTest::mouseClick(how == "label" ? static_cast<QWidget*>(credits.Label1()) : &credits,
                              Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(rec.ended, 1);
        QCOMPARE(rec.commands, (std::vector<std::string>{"stop tune1", "close tune1"}));
        QVERIFY(!credits.Timer1()->isActive());
        QTest::mouseClick(&credits, Qt::LeftButton); // already ending: nothing more
        QCOMPARE(rec.ended, 1);
    }
};

QTEST_MAIN(CreditsTest)
#include "credits_test.moc"
