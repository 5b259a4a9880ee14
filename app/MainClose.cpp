// Closing the window: the chance to stay, saving the defaults, and leaving
// for an installer the update window started.

#include "app/Main.h"

#include "app/Centre.h"
#include "app/Close.h"
#include "app/Links.h"
#include "app/Pages.h"
#include "app/Update.h"
#include "app/WindowPlace.h"
#include "app/help/HelpWindow.h"
#include "calculators/CalculatorPage.h"
#include "state/PageState.h"
#include "widgets/Guard.h"
#include "widgets/Messages.h"

#include <QCloseEvent>
#include <QDateTime>

#include <functional>
#include <random>

using namespace Qt::StringLiterals;

namespace clvn {

bool TfrmMain::FormCloseQuery()
{
    int draw = 1;
    if (m_options.closeDraw) {
        draw = m_options.closeDraw();
    } else {
        static std::mt19937 generator(
            static_cast<std::mt19937::result_type>(QDateTime::currentMSecsSinceEpoch()));
        draw = std::uniform_int_distribution<int>(0, 4)(generator);
    }
    if (draw != 0)
        return true;
    TfrmClose thanks(this);
    connect(&thanks, &TfrmClose::suggestionsRequested, this,
            [this] { guard([this] { openLinkOrSay(Link::UrlSuggest); }); });
    execCentred(thanks, this);
    return thanks.quitFlag();
}

void TfrmMain::FormClose()
{
    m_help->quit();
    // Each part is saved on its own, so that one that cannot be written does
    // not cost the others; the window closes anyway, and the user learns
    // which parts were not kept.
    QStringList parts, reasons;
    const auto keep = [&](const QString &part, const std::function<void()> &save) {
        try {
            save();
        } catch (const std::exception &e) {
            parts << part + u" could not be saved."_s;
            const QString reason = QString::fromLocal8Bit(e.what());
            if (!reasons.contains(reason))
                reasons << reason;
        }
    };
    keep(u"Your defaults"_s, [this] { m_settingsFile->saveAll(m_buyerValues); });
    for (const Destination &d : m_destinations) {
        if (!d.page || d.desc->keptSection.isEmpty())
            continue;
        keep(u"The figures of "_s + d.desc->title, [this, &d] {
            PageState state(d.desc->keptSection);
            d.page->saveState(state);
            m_settingsFile->saveState(state);
        });
    }
    try {
        saveWindowPlace(*this, *m_settingsFile);
    } catch (const std::exception &) {
        // Only a convenience; a failed save of the defaults has been said already.
    }
    if (!parts.isEmpty())
        showInfo(this, parts.join(u"\n\r"_s) + u"\n\r\n\r"_s + reasons.join(u"\n\r"_s));
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    // The exit save keeps a figure typed and not yet left; a calculation
    // that fails on it does not keep the window open.
    takePendingEdit();
    bool allowed = true;
    if (m_tracked && !m_closingForUpdate)
        guard([&] { allowed = maybeSave(); });
    if (allowed && !m_closingForUpdate)
        guard([&] { allowed = FormCloseQuery(); });
    if (!allowed) {
        event->ignore();
        return;
    }
    guard([this] { FormClose(); });
    event->accept();
}

void TfrmMain::ShowUpdate()
{
    bool exitNow = false;
    {
        TfrmUpdate window(*m_webFileInfo, this);
        execCentred(window, this);
        exitNow = window.exitRequested();
    }
    if (!exitNow)
        return;
    // The installer is running: leave by the normal path that keeps the
    // defaults, without the closing window's chance to stay.
    m_closingForUpdate = true;
    close();
}

} // namespace clvn
