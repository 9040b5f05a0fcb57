#pragma once
// The scripted driver: a test says, in order, every dialog, message box and file
// dialog the program is expected to show and how the person answers it. Anything
// unexpected, or a script left unfinished or exhausted, fails the test.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "ui/Driver.h"
#include "ui/Form.h"

struct RecordedMessage {
  std::string title;
  std::string text;
  bool operator==(const RecordedMessage&) const = default;
};

class Script : public ui::Driver {
 public:
  Script();
  ~Script() override;
  Script(const Script&) = delete;
  Script& operator=(const Script&) = delete;

  // The next showing is of a form of type T; the answer fills its members and returns the modal result.
  template <class T>
  Script& dialog(std::function<int(T&)> answer) {
    Step step;
    step.kind = Step::Dialog;
    step.formType = std::type_index(typeid(T));
    step.what = typeid(T).name();
    step.answer = [answer](ui::Form& form) { return answer(static_cast<T&>(form)); };
    steps_.push_back(std::move(step));
    return *this;
  }
  // The form of type T is closed with Ok as it is; or `button` of it is pressed first.
  template <class T>
  Script& ok() {
    return dialog<T>([](T&) { return ui::mrOk; });
  }
  template <class T, class B>
  Script& press(void (B::*button)()) {
    return dialog<T>([button](T& form) {
      (form.*button)();
      return ui::mrOk;
    });
  }
  // The next is a message box with this title and text; the person presses `answer`.
  Script& message(const std::string& title, const std::string& text, int answer = ui::IDOK);
  // The next is an open (save) dialog; the person picks this name with this filter.
  Script& open(const std::string& fileName, int filterIndex = 1);
  Script& save(const std::string& fileName, int filterIndex = 1);
  Script& cancelOpen();
  Script& cancelSave();
  Script& colour(std::uint32_t colour);
  // The next is the printer set-up dialog; the answer may change the printer and says OK (true).
  Script& printerSetup(std::function<bool(ui::Printer&)> answer);
  Script& cancelColour();

  // What the program showed, in order.
  const std::vector<RecordedMessage>& Messages() const { return messages_; }
  const std::vector<ui::FileDialogSpec>& FileDialogs() const { return fileDialogs_; }
  const std::vector<std::string>& Notes() const { return notes_; }
  const std::vector<double>& Waits() const { return waits_; }
  bool Finished() const { return steps_.empty(); }

  // Driver.
  int ShowModal(ui::Form& form) override;
  int Message(const std::string& text, const std::string& title, int buttons) override;
  ui::FileChoice OpenFile(const ui::FileDialogSpec& request) override;
  ui::FileChoice SaveFile(const ui::FileDialogSpec& request) override;
  std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) override;
  double ClockSeconds() override { return clock_; }
  void ProcessEvents() override {}
  void Wait(double seconds) override;
  void Note(const std::string& event) override { notes_.push_back(event); }
  bool SetUpPrinter(ui::Printer& printer) override;

 private:
  struct Step {
    enum Kind { Dialog, Message, Open, Save, Colour, PrinterSetup } kind = Dialog;
    std::type_index formType = std::type_index(typeid(void));
    std::string what;
    std::function<int(ui::Form&)> answer;
    std::string title, text;
    int button = ui::IDOK;
    ui::FileChoice file;
    std::optional<std::uint32_t> colour;
    std::function<bool(ui::Printer&)> printer;
  };
  Script& Push(Step::Kind kind, std::string what, ui::FileChoice file = {});
  Step Next(Step::Kind kind, const std::string& shown);
  [[noreturn]] void Fail(const std::string& why);

  std::deque<Step> steps_;
  std::vector<RecordedMessage> messages_;
  std::vector<ui::FileDialogSpec> fileDialogs_;
  std::vector<std::string> notes_;
  std::vector<double> waits_;
  double clock_ = 0;
  ui::Driver* previous_ = nullptr;
};

// Thrown to stop a handler at once when the program does what the script did not expect.
struct ScriptFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};
