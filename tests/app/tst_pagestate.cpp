// Every page's state: what a page saves into a PageState, a new page of the
// same kind restores, input by input. The inputs are found on the window
// (every field a user can type into or choose), so a field a page's table
// leaves out shows as a difference.

#include "app/Pages.h"
#include "calculators/CalculatorPage.h"
#include "state/PageState.h"
#include "tests/support/PageFixture.h"
#include "widgets/NumberField.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSet>

using namespace Qt::StringLiterals;

namespace clvn {

namespace {

// The user's inputs of `page` in creation order: typed texts, choices made.
QList<QWidget *> inputs(const CalculatorPage &page)
{
    QList<QWidget *> found;
    for (QWidget *w : page.findChildren<QWidget *>()) {
        const auto *edit = qobject_cast<QLineEdit *>(w);
        if ((edit && !edit->isReadOnly() && !qobject_cast<QComboBox *>(w->parent())) ||
            qobject_cast<QComboBox *>(w) || qobject_cast<QRadioButton *>(w) ||
            qobject_cast<QCheckBox *>(w))
            found << w;
    }
    return found;
}

QStringList shown(const CalculatorPage &page)
{
    QStringList lines;
    for (QWidget *w : inputs(page)) {
        QString value;
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            value = edit->text();
        else if (auto *box = qobject_cast<QComboBox *>(w))
            value = box->currentText();
        else
            value = qobject_cast<QAbstractButton *>(w)->isChecked() ? u"on"_s : u"off"_s;
        lines << w->objectName() + u'=' + value;
    }
    return lines;
}

// Gives every input a value of its own: a number, another item, another button.
void changeAll(CalculatorPage &page)
{
    QSet<QObject *> chosen; // button groups with a new choice
    int n = 0;
    for (QWidget *w : inputs(page)) {
        ++n;
        if (auto *field = qobject_cast<NumberField *>(w))
            field->setValue(10 + n);
        else if (auto *edit = qobject_cast<QLineEdit *>(w))
            edit->setText(QString::number(20 + n));
        else if (auto *box = qobject_cast<QComboBox *>(w))
            box->setCurrentIndex(box->count() - 1);
        else if (auto *check = qobject_cast<QCheckBox *>(w))
            check->toggle();
        else if (auto *radio = qobject_cast<QRadioButton *>(w)) {
            QObject *group = radio->group() ? static_cast<QObject *>(radio->group()) : w->parent();
            if (!radio->isChecked() && !chosen.contains(group)) {
                radio->setChecked(true);
                chosen.insert(group);
            }
        }
    }
}

} // namespace

class TestPageState : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { test::pinLocale(); }
    void restoresWhatItSaved_data()
    {
        QTest::addColumn<QString>("page");
        for (const PageDescriptor &d : pageDescriptors())
            QTest::newRow(qPrintable(d.name)) << d.name;
    }
    void restoresWhatItSaved()
    {
        QFETCH(QString, page);
        test::FakeHost host;
        test::MessageBoxCatcher boxes; // odd figures may be refused as they are set
        const PageDescriptor *d = findPage(page);
        std::unique_ptr<CalculatorPage> typed(d->make(host)), fresh(d->make(host));
        changeAll(*typed);
        const QStringList before = shown(*fresh);
        QVERIFY(shown(*typed) != before);
        PageState state(page);
        typed->saveState(state);
        fresh->restoreState(state);
        QCOMPARE(shown(*fresh), shown(*typed));
    }
};

} // namespace clvn

QTEST_MAIN(clvn::TestPageState)
#include "tst_pagestate.moc"
