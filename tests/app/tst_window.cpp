// The real main window's size and looks: hand-placed controls at the drawn
// size, the extra room of a larger window, its place kept across starts,
// colours that read in a dark palette.

#include "calculators/CalculatorPage.h"
#include "calculators/ChartColours.h"
#include "engine/Drawing.h"
#include "tests/support/MainFixture.h"
#include "widgets/Colours.h"
#include "widgets/RotatedLabel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QRect>
#include <QScopeGuard>
#include <QScreen>
#include <QTableWidget>
#include <QToolButton>
#include <QWidget>

#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

// The background a widget shows: its own or the nearest painted one's.
QColor backgroundOf(const QWidget *w)
{
    while (w->parentWidget() && !w->autoFillBackground() && !w->isWindow())
        w = w->parentWidget();
    return w->palette().color(w->backgroundRole());
}

// Every text colour on a background below the least contrast, as
// "name: ratio" (a grid's cells as name[row,column]).
QStringList poorPairs(const QWidget *root)
{
    QStringList poor;
    const auto check = [&](const QString &what, const QColor &text, const QColor &background,
                           double least = kLeastContrast) {
        const double ratio = contrastRatio(text, background);
        if (ratio < least)
            poor << what + u": "_s + QString::number(ratio, 'f', 2);
    };
    const QList<QWidget *> widgets = root->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (!w->isVisible())
            continue;
        if (auto *label = qobject_cast<const QLabel *>(w); label && !label->text().isEmpty())
            check(w->objectName(), w->palette().color(w->foregroundRole()), backgroundOf(w));
        if (auto *rotated = qobject_cast<const TRotatedLabel *>(w))
            check(w->objectName(), rotated->textColor(), backgroundOf(w));
        const auto *view = qobject_cast<const QAbstractItemView *>(w);
        const QAbstractItemModel *model = view ? view->model() : nullptr;
        for (int r = 0; model && r < model->rowCount(); ++r)
            for (int c = 0; c < model->columnCount(); ++c) {
                const QVariant bg = model->index(r, c).data(Qt::BackgroundRole);
                const QVariant fg = model->index(r, c).data(Qt::ForegroundRole);
                if (bg.value<QBrush>().style() != Qt::NoBrush)
                    check(u"%1[%2,%3]"_s.arg(w->objectName()).arg(r).arg(c),
                          fg.isValid() ? fg.value<QBrush>().color()
                                       : view->palette().text().color(),
                          bg.value<QBrush>().color());
            }
        // A chart: its ink on the background it paints, and what the view
        // draws over it (the pixels a bare paint of the chart lacks).
        if (auto *chart = dynamic_cast<const report::DrawingSource *>(w)) {
            const QImage shown = w->grab().toImage();
            const QColor paper = shown.pixelColor(0, 0);
            const QSizeF points(w->width() * 72.0 / w->logicalDpiX(),
                                w->height() * 72.0 / w->logicalDpiY());
            for (const report::PageItem &item : onScreen(chart->drawing(points), w->palette()))
                check(w->objectName() + u' ' + item.name, item.color, paper,
                      item.kind == report::PageItem::Kind::Text ? kLeastContrast
                      : item.name.contains(u"Grid"_s)           ? 1.0
                                                                : kLeastLineContrast);
            QPixmap bare(w->size());
            QPainter painter(&bare);
            paintChart(painter, *w, chart->drawing(points));
            painter.end();
            const QImage plain = bare.toImage().convertToFormat(shown.format());
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    if (shown.pixel(x, y) != plain.pixel(x, y))
                        check(u"%1 mark(%2,%3)"_s.arg(w->objectName()).arg(x).arg(y),
                              shown.pixelColor(x, y), paper, kLeastLineContrast);
        }
        // An icon: the edge of its shape on the button.
        if (auto *tool = qobject_cast<const QToolButton *>(w); tool && !tool->icon().isNull()) {
            const QImage icon =
                tool->icon().pixmap(24).toImage().convertToFormat(QImage::Format_ARGB32);
            const auto clear = [&](int x, int y) {
                return !icon.valid(x, y) || icon.pixelColor(x, y).alpha() < 255;
            };
            for (int y = 0; y < icon.height(); ++y)
                for (int x = 0; x < icon.width(); ++x)
                    if (!clear(x, y) &&
                        (clear(x - 1, y) || clear(x + 1, y) || clear(x, y - 1) || clear(x, y + 1)))
                        check(u"%1(%2,%3)"_s.arg(w->objectName()).arg(x).arg(y),
                              icon.pixelColor(x, y), w->palette().color(QPalette::Button),
                              kLeastLineContrast);
        }
    }
    return poor;
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

    std::optional<test::MainFixture> f;

    // A control's geometry, or with "grid row column" that cell's in the grid.
    QRect at(const QString &name) const
    {
        const QStringList cell = name.split(u' ');
        if (cell.size() < 3)
            return f->get<QWidget>(name)->geometry();
        const auto *grid = f->get<QAbstractItemView>(cell[0]);
        return grid->visualRect(grid->model()->index(cell[1].toInt(), cell[2].toInt()));
    }

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
            << u"btnCMP"_s << u"chtCompare"_s << QRect(4, 619, 558, 240) << QRect(4, 619, 708, 240);
        QTest::newRow("spread grid")
            << u"btnLSC"_s << u"grdLS"_s << QRect(2, 150, 582, 230) << QRect(2, 150, 732, 330);
        QTest::newRow("spread grid's last cell")
            << u"btnLSC"_s << u"grdLS 11 7"_s << QRect(507, 209, 72, 18) << QRect(638, 300, 91, 27);
        QTest::newRow("spread increments")
            << u"btnLSC"_s << u"rgInterest"_s << QRect(419, 14, 164, 66) << QRect(419, 14, 164, 66);
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
        QCOMPARE(before, drawn);
        QCOMPARE(at(control), larger);
        f->window->resize(f->window->minimumSize());
        QCOMPARE(at(control), drawn);
    }
    // Closed with `closed` (a null one: maximized), or started on a file
    // holding `ini`: where the next start puts the window.
    void placeIsKeptAcrossStarts_data()
    {
        QTest::addColumn<QRect>("closed");
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QRect>("expected"); // a null one: maximized; left -1: centred
        QTest::newRow("moved and larger")
            << QRect(40, 30, 700, 500) << QByteArray() << QRect(40, 30, 700, 500);
        QTest::newRow("maximized") << QRect() << QByteArray() << QRect();
        QTest::newRow("off every screen: the size, centred")
            << QRect() << QByteArray("Left=5000\nTop=0\nWidth=700\nHeight=500\nMaximized=0\n")
            << QRect(-1, 0, 700, 500);
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
            QCOMPARE(w.size(), expected.size());
            const QRect area = w.screen()->availableGeometry();
            QCOMPARE(w.frameGeometry().left(), (area.width() - w.frameGeometry().width()) / 2);
        } else if (!expected.isNull()) {
            QCOMPARE(w.geometry(), expected);
        }
    }
    // Under a dark palette every pair of colours a page sets keeps the least
    // contrast, as do the charts, what is drawn over them and the tool-bar
    // icons; the result fields stay black on yellow. `steps`: buttons to
    // click, or widgets to move the mouse over.
    void darkPaletteKeepsPairsReadable_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("switched"); // the palette changes while the window shows
        for (const PageDescriptor &d : pageDescriptors())
            QTest::newRow(qPrintable(d.name)) << QStringList{u"btn"_s + d.key} << false;
        QTest::newRow("amortization chart")
            << QStringList{u"btnAmort"_s, u"btnAmortChart"_s} << false;
        QTest::newRow("amortization chart, hovered")
            << QStringList{u"btnAmort"_s, u"btnAmortChart"_s, u"chtAmortization"_s} << false;
        QTest::newRow("switched while running") << QStringList() << true;
        QTest::newRow("loan spread, switched while running") << QStringList{u"btnLSC"_s} << true;
    }
    void darkPaletteKeepsPairsReadable()
    {
        QFETCH(QStringList, steps);
        QFETCH(bool, switched);
        const QPalette light = QApplication::palette();
        QPalette dark(QColor(53, 53, 53));
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, Qt::white);
        dark.setColor(QPalette::WindowText, Qt::white);
        const auto walk = [&] {
            for (const QString &step : steps) {
                QWidget *w = f->get<QWidget>(step);
                if (auto *button = qobject_cast<QAbstractButton *>(w))
                    button->click();
                else
                    QTest::mouseMove(w, w->rect().center());
            }
        };
        if (switched) // what shows already is what must follow the switch
            walk();
        QApplication::setPalette(dark);
        const auto restore = qScopeGuard([&] { QApplication::setPalette(light); });
        if (!switched)
            f.emplace();
        // The windows hear of a new palette through the event loop.
        QCoreApplication::processEvents();
        if (!switched)
            walk();
        QCOMPARE(poorPairs(f->window.get()), QStringList());
        if (auto *grid = f->window->findChild<QTableWidget *>(u"grdLS"_s); grid && switched)
            QCOMPARE(grid->item(11, 7)->background().color(), dark.color(QPalette::Base));
        const QPalette result = f->get(u"edtAmortPayment"_s)->palette();
        QCOMPARE(result.color(QPalette::Base), QColor(Qt::yellow));
        QCOMPARE(result.color(QPalette::Text), QColor(Qt::black));
    }
    // Under a larger system font (also a platform's own for headers and
    // buttons), every control takes the program's font or one set on it.
    void largerSystemFontStaysOut()
    {
        const QFont was = QApplication::font();
        const auto restore = qScopeGuard([&] { QApplication::setFont(was); });
        const QFont large(u"DejaVu Sans"_s, 16);
        for (const char *type : {"QHeaderView", "QPushButton"})
            QApplication::setFont(large, type);
        QApplication::setFont(large);
        f.emplace();
        QStringList large16;
        for (const char *b : {"btnAmort", "btnMenu", "btnCMP", "btnMenu", "btnLSC"}) {
            f->click(QString::fromLatin1(b));
            for (const QWidget *w : f->window->findChildren<QWidget *>())
                if (w->isVisible() && w->font().pointSize() == 16)
                    large16 << QString::fromLatin1(b) + u' ' +
                                   QLatin1String(w->metaObject()->className());
        }
        QCOMPARE(large16, QStringList());
    }
    // Pages are built when first opened, so the window shows sooner.
    void pagesAreBuiltWhenFirstOpened()
    {
        QVERIFY(!f->window->findChild<CalculatorPage *>());
        f->click(u"btnAmort"_s);
        QCOMPARE(f->window->findChildren<CalculatorPage *>().size(), 1);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
