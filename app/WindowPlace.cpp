#include "app/WindowPlace.h"

#include "state/PageState.h"
#include "state/SettingsFile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace clvn {

namespace {

const QString kSection = QStringLiteral("Window");
const QStringList kKeys = {QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Width"),
                           QStringLiteral("Height"), QStringLiteral("Maximized")};

bool fitsAScreen(const QRect &rect)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (const QScreen *screen : screens)
        if (screen->availableGeometry().contains(rect))
            return true;
    return false;
}

} // namespace

bool restoreWindowPlace(QWidget &window, const SettingsFile &file)
{
    const PageState state = file.loadState(kSection);
    QStringList texts;
    for (const QString &key : kKeys)
        texts << state.text(key);
    int v[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = texts.value(i).toInt(&ok);
        if (!ok)
            return false;
    }
    const QRect rect(v[0], v[1], v[2], v[3]);
    const QSize minimum = window.minimumSize();
    if (rect.width() < minimum.width() || rect.height() < minimum.height())
        return false;
    const bool maximized = texts.value(4) == QStringLiteral("1");
    bool placed = false;
    if (fitsAScreen(rect)) {
        window.setGeometry(rect);
        placed = true;
    } else if (const QScreen *screen = window.screen();
               screen && rect.width() <= screen->availableGeometry().width() &&
               rect.height() <= screen->availableGeometry().height()) {
        window.resize(rect.size());
    }
    if (maximized)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    return placed;
}

void saveWindowPlace(const QWidget &window, const SettingsFile &file)
{
    // The size and place it has when not maximized, so un-maximizing after
    // the next start goes back there.
    const QRect rect = window.isMaximized() ? window.normalGeometry() : window.geometry();
    PageState state(kSection);
    state.set(kKeys[0], QString::number(rect.left()));
    state.set(kKeys[1], QString::number(rect.top()));
    state.set(kKeys[2], QString::number(rect.width()));
    state.set(kKeys[3], QString::number(rect.height()));
    state.set(kKeys[4], window.isMaximized() ? QStringLiteral("1") : QStringLiteral("0"));
    file.saveState(state);
}

} // namespace clvn
