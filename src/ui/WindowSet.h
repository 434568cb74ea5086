#pragma once

class TTenkey;
class TObjSet;
class TObjList;
class TXYZ_Mon;

// The windows beside the main window, as the controllers reach them. The
// program's window owner fills it once they exist; until then (and in a
// window made alone) they are null and what would open them does nothing.
struct WindowSet {
  TTenkey* keypad = nullptr;
  TObjSet* objectSettings = nullptr;
  TObjList* objectList = nullptr;
  TXYZ_Mon* monitor = nullptr;
};
