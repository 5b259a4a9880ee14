#pragma once

// The Preferences window: the 34 buyer defaults on three tabs. It shows what
// CLVN.INI holds (not the values in memory) and, on " Save and &Close",
// puts the fields into BuyerValues and stores all three tabs.

#include "state/BuyerValues.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QLabel;
class QPushButton;
class QTabWidget;

namespace clvn {

class SettingsFile;
class TNumEdit;

class TfrmPrefs : public QDialog
{
    Q_OBJECT

public:
    TfrmPrefs(SettingsFile &file, BuyerValues &values, QWidget *parent = nullptr);

    // File -> fields (a bad stored value leaves its field at the default and
    // is reported once); focus to edtP_Housing. Runs whenever the window is
    // shown.
    void FormShow();
    // Factory values into all 34 fields; nothing is stored.
    void btnRestoreClick();
    // Closes without storing anything.
    void btnCancelClick();
    // SaveIniBuyerValues, then closes. When the save throws, BuyerValues
    // already holds the new values and the window stays open.
    void btnSaveClick();
    // Fields -> BuyerValues, then all three tabs -> file. Throws
    // SettingsWriteError, or ConvertError for a term that is not a 32-bit
    // whole number (then nothing is copied).
    void SaveIniBuyerValues();

    // The values the fields hold; Term is the term field rounded to whole
    // months. Throws FieldConvertError for a term out of range.
    BuyerValues fieldValues() const;
    void showValues(const BuyerValues &values);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildGeneralTab(QWidget *page);
    void buildClosingTab(QWidget *page);
    void buildEscrowsTab(QWidget *page);
    void addNote(QWidget *page, int x, int y, int width, int height);
    TNumEdit *addField(QWidget *page, const char *name, int x, int y, int width, int decimals,
                       const QString &mask);
    QLabel *addLabel(QWidget *page, const QString &text, int x, int y, int width,
                     bool bold = false);
    void repaintOwner();

    SettingsFile &m_file;
    BuyerValues &m_values;
    QTabWidget *m_tabs = nullptr;
    std::array<TNumEdit *, 34> m_fields{}; // in file order
    QPushButton *m_btnRestore = nullptr;
    QPushButton *m_btnCancel = nullptr;
    QPushButton *m_btnSave = nullptr;
};

} // namespace clvn
