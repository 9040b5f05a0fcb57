#include "ui/Driver.h"

#include <QApplication>
#include <QColorDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QThread>

#include "ui/Form.h"
#include "ui/Printer.h"

namespace ui {
namespace {

// "Text|*.ext|Text|*.ext" -> the Qt filter list, one entry a pair.
QStringList QtFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
  }
  return filters;
}

FileChoice RunFileDialog(const FileDialogSpec& request, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title),
                     QString::fromStdString(request.initialDir));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  // The program appends its own extensions and asks itself about the files it will write
  // (ui::MayReplace): the dialog would ask about the name as typed.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  const QStringList filters = QtFilters(request.filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    const int index = std::clamp(request.filterIndex, 1, static_cast<int>(filters.size()));
    dialog.selectNameFilter(filters[index - 1]);
  }
  FileChoice choice;
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return choice;
  choice.accepted = true;
  choice.fileName = dialog.selectedFiles().first().toStdString();
  const int chosen = filters.indexOf(dialog.selectedNameFilter());
  choice.filterIndex = chosen >= 0 ? chosen + 1 : 1;
  return choice;
}

class QtDriver : public Driver {
 public:
  QtDriver() { timer_.start(); }

  int ShowModal(Form& form) override {
    form.BeginRun();
    form.exec();
    return form.ModalResult() == mrNone ? (form.CloseIsOk ? mrOk : mrCancel) : form.ModalResult();
  }

  int Message(const std::string& text, const std::string& title, int buttons) override {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    if (buttons == MB_YESNO) {
      box.addButton(QMessageBox::Yes);
      box.addButton(QMessageBox::No);
    } else if (buttons == MB_OKCANCEL) {
      box.addButton(QMessageBox::Ok);
      box.addButton(QMessageBox::Cancel);
    } else {
      box.addButton(QMessageBox::Ok);
    }
    switch (box.exec()) {
      case QMessageBox::Yes:
        return IDYES;
      case QMessageBox::No:
        return IDNO;
      case QMessageBox::Cancel:
        return IDCANCEL;
      default:
        return IDOK;
    }
  }

  FileChoice OpenFile(const FileDialogSpec& request) override {
    return RunFileDialog(request, QFileDialog::AcceptOpen);
  }
  FileChoice SaveFile(const FileDialogSpec& request) override {
    return RunFileDialog(request, QFileDialog::AcceptSave);
  }

  std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) override {
    const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    const QColor colour = QColorDialog::getColor(start, QApplication::activeWindow());
    if (!colour.isValid()) return std::nullopt;
    return static_cast<std::uint32_t>(colour.red()) | (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
  }

  double ClockSeconds() override { return static_cast<double>(timer_.nsecsElapsed()) * 1e-9; }

  void ProcessEvents() override {
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }

  bool SetUpPrinter(Printer& printer) override { return RunPrinterSetupDialog(printer); }

  void Wait(double seconds) override {
    const double start = ClockSeconds();
    while (ClockSeconds() - start < seconds) {
      ProcessEvents();
      QThread::msleep(2);
    }
  }

 private:
  QElapsedTimer timer_;
};

Driver* installed = nullptr;

}  // namespace

Driver& CurrentDriver() {
  static QtDriver qtDriver;
  return installed ? *installed : qtDriver;
}

Driver* InstallDriver(Driver* driver) {
  Driver* previous = installed;
  installed = driver;
  return previous;
}

int ShowModal(Form& form) {
  return CurrentDriver().ShowModal(form);
}
int MessageBox(const std::string& text, const std::string& title, int buttons) {
  return CurrentDriver().Message(text, title, buttons);
}
FileChoice OpenFile(const FileDialogSpec& request) {
  return CurrentDriver().OpenFile(request);
}
FileChoice SaveFile(const FileDialogSpec& request) {
  return CurrentDriver().SaveFile(request);
}
std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) {
  return CurrentDriver().ChooseColour(initial);
}
void ProcessEvents() {
  CurrentDriver().ProcessEvents();
}
void Note(const std::string& event) {
  CurrentDriver().Note(event);
}
bool SetUpPrinter(Printer& printer) {
  return CurrentDriver().SetUpPrinter(printer);
}

}  // namespace ui

void WaitSeconds(float seconds) {
  ui::CurrentDriver().Wait(seconds);
}
