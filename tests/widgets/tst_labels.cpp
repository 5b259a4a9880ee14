#include "tests/support/TestSupport.h"
#include "widgets/LinkLabel.h"
#include "widgets/RotatedLabel.h"

#include <QDesktopServices>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

// Stands in for the browser: records what the desktop was asked to open.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl &url) { urls << url; }
};

class TstLabels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { clvn::test::pinLocale(); }

    void rotatedReadsUpwards();
    void linkLook();
    void linkOpens_data();
    void linkOpens();
};

// The text reads bottom to top: its first character, a heavy block, sits in
// the lower half; the light dots after it in the upper half.
void TstLabels::rotatedReadsUpwards()
{
    clvn::TRotatedLabel label(QStringLiteral("\u2588\u2588\u2588......"));
    label.setTextColor(Qt::black);
    label.resize(40, 200);
    QImage image(label.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    label.render(&image);
    int lower = 0;
    int upper = 0;
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                (y >= image.height() / 2 ? lower : upper) += 1;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    QVERIFY(label.sizeHint().height() > label.sizeHint().width());
    QVERIFY(lower > 0);
    QVERIFY2(lower > 2 * upper,
             qPrintable(QStringLiteral("lower %1 upper %2").arg(lower).arg(upper)));
    // Centred across the width.
    QVERIFY(std::abs((left + right) / 2 - image.width() / 2) <= 4);
}

void TstLabels::linkLook()
{
    clvn::TLinkLabel label(QStringLiteral("www.example.com"),
                           QUrl(QStringLiteral("https://www.example.com/")));
    QVERIFY(label.font().underline());
    QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(label.text(), QStringLiteral("www.example.com"));

    clvn::TLinkLabel bare;
    bare.setUrl(QUrl(QStringLiteral("mailto:help@example.com")));
    QCOMPARE(bare.text(), QStringLiteral("mailto:help@example.com"));
}

void TstLabels::linkOpens_data()
{
    QTest::addColumn<QUrl>("url");
    QTest::newRow("web") << QUrl(QStringLiteral("https://www.example.com/update.html"));
    QTest::newRow("mail") << QUrl(QStringLiteral("mailto:help@example.com"));
}

void TstLabels::linkOpens()
{
    QFETCH(QUrl, url);
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(url.scheme(), &recorder, "open");
    clvn::TLinkLabel label(QStringLiteral("link"), url);
    label.show();
    QSignalSpy opened(&label, &clvn::TLinkLabel::opened);
    QTest::mouseClick(&label, Qt::RightButton);
    QCOMPARE(recorder.urls.size(), 0);
    QTest::mouseClick(&label, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(url.scheme());
    QCOMPARE(recorder.urls, QList<QUrl>{url});
    QCOMPARE(opened.count(), 1);
    QCOMPARE(opened.at(0).at(1).toBool(), true);
}

QTEST_MAIN(TstLabels)
#include "tst_labels.moc"
