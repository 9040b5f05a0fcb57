#include "Script.h"

Script::Script() {
  previous_ = ui::InstallDriver(this);
}

Script::~Script() {
  ui::InstallDriver(previous_);
  if (!steps_.empty() && !std::uncaught_exceptions())
    ADD_FAILURE() << "script not finished: next expected " << steps_.front().what;
}

Script& Script::message(const std::string& title, const std::string& text, int answer) {
  Step step;
  step.kind = Step::Message;
  step.what = "message \"" + title + "\": \"" + text + "\"";
  step.title = title;
  step.text = text;
  step.button = answer;
  steps_.push_back(step);
  return *this;
}

Script& Script::Push(Step::Kind kind, std::string what, ui::FileChoice file) {
  Step step;
  step.kind = kind;
  step.what = std::move(what);
  step.file = std::move(file);
  steps_.push_back(std::move(step));
  return *this;
}

Script& Script::open(const std::string& fileName, int filterIndex) {
  return Push(Step::Open, "open dialog -> " + fileName, {true, fileName, filterIndex});
}

Script& Script::save(const std::string& fileName, int filterIndex) {
  return Push(Step::Save, "save dialog -> " + fileName, {true, fileName, filterIndex});
}

Script& Script::cancelOpen() {
  return Push(Step::Open, "open dialog (cancelled)");
}

Script& Script::cancelSave() {
  return Push(Step::Save, "save dialog (cancelled)");
}

Script& Script::colour(std::uint32_t colour) {
  Push(Step::Colour, "colour dialog");
  steps_.back().colour = colour;
  return *this;
}

Script& Script::printerSetup(std::function<bool(ui::Printer&)> answer) {
  Push(Step::PrinterSetup, "printer set-up dialog");
  steps_.back().printer = std::move(answer);
  return *this;
}

Script& Script::cancelColour() {
  return Push(Step::Colour, "colour dialog (cancelled)");
}

void Script::Fail(const std::string& why) {
  ADD_FAILURE() << why;
  throw ScriptFailure(why);
}

Script::Step Script::Next(Step::Kind kind, const std::string& shown) {
  if (steps_.empty()) Fail("script exhausted: the program showed " + shown);
  Step step = steps_.front();
  if (step.kind != kind) Fail("expected " + step.what + ", the program showed " + shown);
  steps_.pop_front();
  return step;
}

int Script::ShowModal(ui::Form& form) {
  const std::string shown = std::string("dialog ") + typeid(form).name() + " \"" + form.Caption() + "\"";
  Step step = Next(Step::Dialog, shown);
  if (step.formType != std::type_index(typeid(form))) Fail("expected " + step.what + ", got " + shown);
  form.BeginRun();
  const int result = step.answer(form);
  form.Finish(result);
  return result;
}

int Script::Message(const std::string& text, const std::string& title, int) {
  messages_.push_back({title, text});
  const std::string shown = "message \"" + title + "\": \"" + text + "\"";
  Step step = Next(Step::Message, shown);
  if (step.title != title || step.text != text) Fail("expected " + step.what + ", got " + shown);
  return step.button;
}

ui::FileChoice Script::OpenFile(const ui::FileDialogSpec& request) {
  fileDialogs_.push_back(request);
  return Next(Step::Open, "open dialog \"" + request.title + "\"").file;
}

ui::FileChoice Script::SaveFile(const ui::FileDialogSpec& request) {
  fileDialogs_.push_back(request);
  return Next(Step::Save, "save dialog \"" + request.title + "\"").file;
}

std::optional<std::uint32_t> Script::ChooseColour(std::uint32_t) {
  return Next(Step::Colour, "colour dialog").colour;
}

void Script::Wait(double seconds) {
  waits_.push_back(seconds);
  clock_ += seconds;
}

bool Script::SetUpPrinter(ui::Printer& printer) {
  return Next(Step::PrinterSetup, "printer set-up dialog").printer(printer);
}
