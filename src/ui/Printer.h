#pragma once
// The program's one printer: the system's default printer at first, chosen again in the printer
// set-up dialog. Sizes are those of the printable area of the page.
#include <QPageLayout>
#include <QPrinter>
#include <QString>
#include <memory>
#include <string>

class QImage;
class QRect;

namespace ui {

class Printer {
 public:
  Printer();
  ~Printer();
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;

  QPrinter& Device() { return *printer_; }

  double PageWidthMM() const;
  double PageHeightMM() const;
  int PageWidthPixels() const;
  int PageHeightPixels() const;

  // The file the printer writes into; "" for a real printer.
  std::string OutputFile() const;

  bool Landscape() const;
  void SetLandscape(bool landscape);

  // What the set-up dialog may change, to be put back when the person cancels.
  struct Settings {
    QString printerName;
    QPrinter::OutputFormat format = QPrinter::NativeFormat;
    QString outputFileName;
    QPageLayout layout;
    QPrinter::ColorMode colourMode = QPrinter::Color;
    int copies = 1;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
  };
  Settings Save() const;
  void Restore(const Settings& settings);

 private:
  std::unique_ptr<QPrinter> printer_;
};

// One page: begin a document, stretch the picture into `rect` (printer pixels of the printable area),
// end the document. False when the printer could not start or finish it, or its file could not be
// written (an earlier file of that name is then kept as it was).
bool PrintBitmap(Printer& printer, const QImage& picture, const QRect& rect);

// The system's printer set-up dialog on this printer; false when the person cancels.
bool RunPrinterSetupDialog(Printer& printer);

}  // namespace ui
