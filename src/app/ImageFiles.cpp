#include "app/ImageFiles.h"

#include <QDir>

#include "app/MainWindow.h"
#include "imaging/Bmp.h"
#include "imaging/RawFile.h"
#include "panels/ImageSizeForm.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"

namespace {

constexpr int kRawFilter = 1;
constexpr int kBmpFilter = 2;

void Caution(const std::string& text) {
  ui::SetScreenCursor(ui::crArrow);
  ui::MessageBox(text, "CAUTION");
}

std::string SizeText(int lines, int columns) {
  return std::to_string(lines) + " lines x " + std::to_string(columns) + " columns";
}

enum class ReadOutcome { Loaded, Refused, ChooseAgain, Cancelled };

ReadOutcome ReadBmp(LoadedImage& image) {
  const BmpHeaderInfo header = ReadBMPHeader(image.fileName);
  if (header.complete && header.signatureOk && header.bitsPerPixel != 8) {
    Caution("This program does not take into account RBV Bitmap");
    return ReadOutcome::ChooseAgain;
  }
  // Judged on the header, before any pixel is read: a forged size must cost nothing.
  const std::int64_t headerLines =
      header.height < 0 ? -static_cast<std::int64_t>(header.height) : header.height;
  if (header.complete && header.signatureOk &&
      (header.width > kMaxImageSide || headerLines > kMaxImageSide)) {
    Caution("The image\n" + image.fileName + "\nis too large (" + std::to_string(headerLines) + " lines x " +
            std::to_string(header.width) + " columns)");
    return ReadOutcome::Refused;
  }
  int columns = 0, lines = 0;
  BytePlane plane = ReadBMPFile(image.fileName, columns, lines);
  if (plane.Empty()) {
    Caution("The file\n" + image.fileName + "\nis not an 8-bit BMP image this program can read");
    return ReadOutcome::Refused;
  }
  if (!ValidImageSide(lines) || !ValidImageSide(columns)) {
    Caution("The image\n" + image.fileName + "\nis too large (" + SizeText(lines, columns) + ")");
    return ReadOutcome::Refused;
  }
  image.plane = std::move(plane);
  image.lines = lines;
  image.columns = columns;
  image.raw = false;
  return ReadOutcome::Loaded;
}

ReadOutcome ReadRaw(LoadedImage& image) {
  image.raw = true;
  image.sizeFileName = SizeFileName(image.fileName);
  const SizeFileResult size = ReadSizeFile(image.sizeFileName);
  int lines = size.lines, columns = size.columns;
  bool asked = false;
  switch (size.status) {
    case SizeFileStatus::Ok:
      break;
    case SizeFileStatus::Missing:
      ui::SetScreenCursor(ui::crArrow);
      if (!AskImageSize(lines, columns)) return ReadOutcome::Cancelled;
      ui::SetScreenCursor(ui::crHourGlass);
      asked = true;
      break;
    case SizeFileStatus::Unreadable:
      Caution("The size file\n" + image.sizeFileName + "\ncannot be read");
      return ReadOutcome::Refused;
    case SizeFileStatus::TooLarge:
    case SizeFileStatus::MissingNumbers:
      Caution("The size file\n" + image.sizeFileName +
              "\ndoes not hold the number of lines and the number of columns");
      return ReadOutcome::Refused;
    case SizeFileStatus::BadSize:
      Caution("The size file\n" + image.sizeFileName + "\nholds a size out of range (1 to " +
              std::to_string(kMaxImageSide) + " a side)");
      return ReadOutcome::Refused;
  }

  BytePlane plane;
  switch (ReadRawFile(image.fileName, columns, lines, plane)) {
    case RawFileStatus::Ok:
      break;
    case RawFileStatus::TooShort:
      Caution("The raw file\n" + image.fileName + "\nis shorter than " + SizeText(lines, columns));
      return ReadOutcome::Refused;
    case RawFileStatus::NoMemory:
      Caution("Not enough memory for an image of " + SizeText(lines, columns));
      return ReadOutcome::Refused;
    case RawFileStatus::BadSize:
    case RawFileStatus::Unreadable:
      Caution("The raw file\n" + image.fileName + "\ncannot be read");
      return ReadOutcome::Refused;
  }
  // Written only once the size is known to fit the file, so that no wrong size file stays behind.
  if (asked && !WriteSizeFile(image.sizeFileName, lines, columns))
    Caution("The size file\n" + image.sizeFileName + "\ncannot be written");
  image.plane = std::move(plane);
  image.lines = lines;
  image.columns = columns;
  return ReadOutcome::Loaded;
}

}  // namespace

std::string ImagesFolder() {
  const QDir images(QDir::home().filePath(QStringLiteral("images")));
  return (images.exists() ? images.absolutePath() : QDir::homePath()).toStdString();
}

bool AskImageSize(int& lines, int& columns) {
  const int oldLines = MainForm->ImageLines, oldColumns = MainForm->ImageColumns;
  // The edits store into the image size at each change; a showing starts from what they hold.
  int typedLines = ImageSizeForm->TypedLines(), typedColumns = ImageSizeForm->TypedColumns();
  for (;;) {
    MainForm->ImageLines = typedLines;
    MainForm->ImageColumns = typedColumns;
    const int result = ui::ShowModal(*ImageSizeForm);
    typedLines = MainForm->ImageLines;
    typedColumns = MainForm->ImageColumns;
    MainForm->ImageLines = oldLines;
    MainForm->ImageColumns = oldColumns;
    if (result != ui::mrOk) return false;
    const std::string range = " (1 to " + std::to_string(kMaxImageSide) + ")";
    if (!ValidImageSide(typedLines)) {
      ui::MessageBox("Number of lines not defined" + range, "ERROR");
    } else if (!ValidImageSide(typedColumns)) {
      ui::MessageBox("Number of columns not defined" + range, "ERROR");
    } else {
      lines = typedLines;
      columns = typedColumns;
      return true;
    }
  }
}

LoadOutcome ChooseAndLoadImage(LoadedImage& image) {
  ui::FileDialogSpec request;
  request.title = "OPEN IMAGE";
  request.filter = "Raw Image [*.raw]|*.raw|Bitmap [*.bmp]|*.bmp";
  request.initialDir = ImagesFolder();
  request.filterIndex = kRawFilter;
  for (;;) {
    const ui::FileChoice choice = ui::OpenFile(request);
    if (!choice.accepted) return LoadOutcome::Cancelled;
    image = LoadedImage{};
    image.fileName = choice.fileName;
    ui::SetScreenCursor(ui::crHourGlass);
    const ReadOutcome outcome = choice.filterIndex == kBmpFilter ? ReadBmp(image) : ReadRaw(image);
    switch (outcome) {
      case ReadOutcome::Loaded:
        return LoadOutcome::Loaded;
      case ReadOutcome::Cancelled:
        return LoadOutcome::Cancelled;
      case ReadOutcome::Refused:
        return LoadOutcome::Refused;
      case ReadOutcome::ChooseAgain:
        request.filterIndex = choice.filterIndex;
        break;
    }
  }
}

void RememberImageFile(const LoadedImage& image) {
  TMainForm& m = *MainForm;
  m.ImageFileName = image.fileName;
  m.ImagePath = image.fileName;
  if (!image.raw) return;
  m.WorkDirectory = FolderOf(image.fileName);
  m.DimensionFileName = image.sizeFileName;
}
