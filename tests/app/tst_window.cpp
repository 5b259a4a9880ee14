// The real main window's size and looks: hand-placed controls at the drawn
// size, the extra room of a larger window, its place kept across starts.

#include "tests/support/MainFixture.h"

#include <QRect>
#include <QScreen>
#include <QWidget>

#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

class TestWindow : public QObject
{
    Q_OBJECT

    std::optional<test::MainFixture> f;

    QRect at(const QString &name) const { return f->get<QWidget>(name)->geometry(); }

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void init() { f.emplace(); }
    void cleanup() { f.reset(); }

    // Each control where it is drawn, and where it is in a window 150 x 100 larger.
    void controlsKeepTheirPlaces_data()
    {
        QTest::addColumn<QString>("page"); // the menu-page button, or none
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("drawn");
        QTest::addColumn<QRect>("larger");
        QTest::newRow("page stack")
            << QString() << u"nbkMain"_s << QRect(25, 33, 587, 380) << QRect(25, 33, 737, 480);
        QTest::newRow("title strip")
            << QString() << u"Panel2"_s << QRect(0, 33, 25, 380) << QRect(0, 33, 25, 480);
        QTest::newRow("schedule") << u"btnAmort"_s << u"grdAmortization"_s
                                  << QRect(2, 150, 583, 228) << QRect(2, 150, 733, 328);
        QTest::newRow("loan field") << u"btnAmort"_s << u"edtMortAmt"_s << QRect(110, 14, 115, 21)
                                    << QRect(110, 14, 115, 21);
        QTest::newRow("offers chart")
            << u"btnCMP"_s << u"chtCompare"_s << QRect(0, 0, 0, 0) << QRect(0, 0, 150, 0);
    }
    void controlsKeepTheirPlaces()
    {
        QFETCH(QString, page);
        QFETCH(QString, control);
        QFETCH(QRect, drawn);
        QFETCH(QRect, larger);
        if (!page.isEmpty())
            f->click(page);
        const QRect before = at(control);
        f->window->resize(f->window->size() + QSize(150, 100));
        const QRect after = at(control);
        f->window->resize(f->window->minimumSize());
        if (drawn.isNull()) { // only the growth is asserted
            QCOMPARE(after.size() - before.size(), larger.size());
            QCOMPARE(after.topLeft(), before.topLeft());
        } else {
            QCOMPARE(before, drawn);
            QCOMPARE(after, larger);
        }
        QCOMPARE(at(control), before);
    }
    // Closed with `closed` (a null one: maximized), or started on a file
    // holding `ini`: where the next start puts the window.
    void placeIsKeptAcrossStarts_data()
    {
        QTest::addColumn<QRect>("closed");
        QTest::addColumn<QByteArray>("ini");
        // A null one: maximized; left -1: centred; a size of 1 x 1: the least size.
        QTest::addColumn<QRect>("expected");
        QTest::newRow("moved and larger")
            << QRect(40, 30, 700, 500) << QByteArray() << QRect(40, 30, 700, 500);
        QTest::newRow("maximized") << QRect() << QByteArray() << QRect();
        QTest::newRow("off every screen: the size, centred")
            << QRect() << QByteArray("Left=5000\nTop=0\nWidth=700\nHeight=500\nMaximized=0\n")
            << QRect(-1, 0, 700, 500);
        QTest::newRow("below the least size: the drawn one")
            << QRect() << QByteArray("Left=0\nTop=0\nWidth=300\nHeight=200\nMaximized=0\n")
            << QRect(-1, 0, 1, 1);
    }
    void placeIsKeptAcrossStarts()
    {
        QFETCH(QRect, closed);
        QFETCH(QByteArray, ini);
        QFETCH(QRect, expected);
        if (!ini.isEmpty()) {
            f.emplace([&](MainOptions &o) {
                QVERIFY(test::writeBytes(o.programFolder + u"CLVN.INI"_s, "[Window]\n" + ini));
            });
        } else {
            closed.isNull() ? f->window->showMaximized() : f->window->setGeometry(closed);
            f->restart();
        }
        TfrmMain &w = *f->window;
        QCOMPARE(w.isMaximized(), expected.isNull());
        if (expected.left() == -1) {
            QCOMPARE(w.size(), expected.width() == 1 ? w.minimumSize() : expected.size());
            const QRect area = w.screen()->availableGeometry();
            QCOMPARE(w.frameGeometry().left(), (area.width() - w.frameGeometry().width()) / 2);
        } else if (!expected.isNull()) {
            QCOMPARE(w.geometry(), expected);
        }
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
