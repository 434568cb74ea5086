#pragma once

#include <QString>

class AppWindows;

// Where the windows were: the main window's size, place and panels (the
// docks, floating or not, shown or not, and Show Detail), and the size,
// place and visibility of Object List and the XYZ monitor (Object
// Settings, a dialog that edits one record, keeps its size and place). Kept
// in settingsFile (an INI file) when the main window closes; taken back
// before it first shows. A first start keeps the laid-out size. Whatever
// was kept, every window lands inside the available screen area.
void RestoreWindows(AppWindows& windows, const QString& settingsFile);
void SaveWindows(const AppWindows& windows, const QString& settingsFile);
