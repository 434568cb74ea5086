#pragma once

#include <QString>
#include <cstdint>

class QFileDialog;
class QWidget;
struct SaveOptions;

// Every message box, confirmation, colour and file dialog of the windows
// goes through here, so window tests can answer them as scripted.
class Prompts {
 public:
  virtual ~Prompts() = default;
  virtual void Message(QWidget* parent, const QString& text, const QString& caption = QString()) = 0;
  // A message about something that went wrong, in the platform's error
  // style; the same box as Message unless a kind of prompts shows it apart.
  virtual void Error(QWidget* parent, const QString& text) { Message(parent, text); }
  // OK/Cancel; true only for OK.
  virtual bool Confirm(QWidget* parent, const QString& text, const QString& caption) = 0;
  // The same with OK as the default button, for offers where Enter should
  // not throw something away.
  virtual bool ConfirmOffer(QWidget* parent, const QString& text, const QString& caption) {
    return Confirm(parent, text, caption);
  }
  // Colours are 0x00BBGGRR. Returns false when the operator cancels.
  virtual bool PickColor(QWidget* parent, uint32_t initial, uint32_t* chosen) = 0;
  // Empty when the operator cancels.
  virtual QString OpenFile(QWidget* parent, const QString& title, const QString& filter) = 0;
  virtual QString SaveFile(QWidget* parent, const QString& title, const QString& filter) = 0;
  // Save / Discard / Cancel about unsaved changes.
  enum SaveAnswer { AnswerSave, AnswerDiscard, AnswerCancel };
  virtual SaveAnswer AskSave(QWidget* parent, const QString& text, const QString& caption) = 0;

  // The prompts in force: the real dialogs unless a test installed others.
  static Prompts& Get();
  // Installs p (not owned); nullptr restores the real dialogs.
  static void Install(Prompts* p);
};

// Asks before a save replaces what is at path: "Replace it?" for an
// existing file, "Write into it anyway?" for a device or FIFO (a yes sets
// options->writeThroughSpecial). Nothing is asked for a new file, nor for a
// read-only file or a folder, which the save itself refuses with its
// failure message. False when the operator declines.
bool ConfirmSaveTarget(QWidget* parent, const QString& path, const QString& caption, SaveOptions* options);

// The file dialog QtPrompts shows (not yet shown; the caller owns it): for
// opening an existing file, or for saving (no question about replacing:
// callers ask about the file really written, extension added).
QFileDialog* NewFileDialog(QWidget* parent, const QString& title, const QString& filter, bool save);

// The real Qt dialogs.
class QtPrompts : public Prompts {
 public:
  void Message(QWidget* parent, const QString& text, const QString& caption) override;
  void Error(QWidget* parent, const QString& text) override;
  bool Confirm(QWidget* parent, const QString& text, const QString& caption) override;
  bool ConfirmOffer(QWidget* parent, const QString& text, const QString& caption) override;
  bool PickColor(QWidget* parent, uint32_t initial, uint32_t* chosen) override;
  QString OpenFile(QWidget* parent, const QString& title, const QString& filter) override;
  QString SaveFile(QWidget* parent, const QString& title, const QString& filter) override;
  SaveAnswer AskSave(QWidget* parent, const QString& text, const QString& caption) override;
};
