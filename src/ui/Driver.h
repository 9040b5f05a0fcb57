#pragma once
// Every exchange with the person goes through a driver: the Qt driver in the
// application, a scripted one in tests. Handlers never call Qt dialogs directly.
#include <cstdint>
#include <optional>
#include <string>

namespace ui {

class Form;
class Printer;

// Modal results, as the dialogs return them.
enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// Message box buttons and answers.
enum MessageButtons : int { MB_OK = 0, MB_OKCANCEL = 1, MB_YESNO = 4 };
enum MessageAnswer : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// An open or save dialog: title, filter in the "Text|*.ext|Text|*.ext" form, first folder.
struct FileDialogSpec {
  std::string title;
  std::string filter;
  std::string initialDir;
  int filterIndex = 1;  // counted from 1, like the filter pairs
};

struct FileChoice {
  bool accepted = false;
  std::string fileName;
  int filterIndex = 1;
};

class Driver {
 public:
  virtual ~Driver() = default;
  virtual int ShowModal(Form& form) = 0;
  virtual int Message(const std::string& text, const std::string& title, int buttons) = 0;
  virtual FileChoice OpenFile(const FileDialogSpec& request) = 0;
  virtual FileChoice SaveFile(const FileDialogSpec& request) = 0;
  // 0x00BBGGRR colour, or nothing when the person cancels.
  virtual std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) = 0;
  virtual double ClockSeconds() = 0;
  // Lets the windows paint while the GUI thread computes.
  virtual void ProcessEvents() = 0;
  virtual void Wait(double seconds) = 0;
  // A trace of what the program shows outside dialogs (splash windows...), read by tests.
  virtual void Note(const std::string& /*event*/) {}
  // The printer set-up dialog; false when the person cancels it.
  virtual bool SetUpPrinter(Printer& printer) = 0;
};

Driver& CurrentDriver();
// Installs a driver (not owned) and returns the previous one; nullptr restores the Qt driver.
Driver* InstallDriver(Driver* driver);

// Thin calls the program uses.
int ShowModal(Form& form);
int MessageBox(const std::string& text, const std::string& title, int buttons = MB_OK);
FileChoice OpenFile(const FileDialogSpec& request);
FileChoice SaveFile(const FileDialogSpec& request);
std::optional<std::uint32_t> ChooseColour(std::uint32_t initial);
void ProcessEvents();
void Note(const std::string& event);
bool SetUpPrinter(Printer& printer);

}  // namespace ui

// Returns when at least that many seconds have passed; the windows keep painting meanwhile.
void WaitSeconds(float seconds);
