#pragma once

// The main window's size, place and maximized state, kept in a section of
// the settings file of its own and written with the exit save.

class QWidget;

namespace clvn {

class SettingsFile;

// Puts the window where it was when it last closed, before it first shows:
// the whole rectangle where it still fits a present screen's working area,
// else only the size where that fits; never below its minimum size. True
// when a place was taken (the caller then leaves it where it is).
bool restoreWindowPlace(QWidget &window, const SettingsFile &file);

// Throws SettingsWriteError, as the file's other writes do.
void saveWindowPlace(const QWidget &window, const SettingsFile &file);

} // namespace clvn
