// The recording canvas of the tests: each drawing call becomes one line of text.
#include "support/RecordingCanvas.h"

#include <cstdio>

#include "support/TestBitmaps.h"

namespace tarnsel::test_support {

using screen::TColor;
using screen::Picture;
using screen::Rect;

std::string ColourName(TColor colour) {
  if (colour == screen::clWindow) return "window";
  if (colour == screen::clWindowText) return "windowtext";
  if (colour == screen::clHighlight) return "highlight";
  if (colour == screen::clHighlightText) return "highlighttext";
  char hex[8];
  std::snprintf(hex, sizeof hex, "#%06X", static_cast<unsigned>(colour.rgb()));
  return hex;
}

std::string RectText(const Rect& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}

std::string PictureName(Picture picture) {
  switch (picture) {
    case Picture::Executable:
      return "EXECUTABLE";
    case Picture::ClosedFolder:
      return "CLOSEDFOLDER";
    case Picture::UnknownFile:
      return "UNKNOWNFILE";
    case Picture::Floppy:
      return "FLOPPY";
    case Picture::Hard:
      return "HARD";
    case Picture::Network:
      return "NETWORK";
    case Picture::CDROM:
      return "CDROM";
    case Picture::RAM:
      return "RAM";
  }
  return "picture " + std::to_string(static_cast<int>(picture));
}

void RecordingCanvas::fillRect(const Rect& rect) {
  calls.push_back("fill " + RectText(rect) + " " + ColourName(brush));
}

void RecordingCanvas::drawPicture(Picture picture, int x, int y) {
  calls.push_back("picture " + PictureName(picture) + " " + std::to_string(x) + "," +
                  std::to_string(y));
}

void RecordingCanvas::textOut(int x, int y, const std::string& text) {
  calls.push_back("textout " + std::to_string(x) + "," + std::to_string(y) + " " + text);
}

void RecordingCanvas::drawTextLine(const Rect& rect, const std::string& text) {
  calls.push_back("text " + RectText(rect) + " " + text + " in " + ColourName(font));
}

int RecordingCanvas::textWidth(const std::string& text) {
  return charWidth * static_cast<int>(text.size());
}

void RecordingCanvas::drawLine(int fromX, int fromY, int toX, int toY) {
  calls.push_back("line " + std::to_string(fromX) + "," + std::to_string(fromY) + "-" +
                  std::to_string(toX) + "," + std::to_string(toY) + " " +
                  ColourName(currentPen.color) + " " + std::to_string(currentPen.width));
}

void RecordingCanvas::drawFocusRect(const Rect& rect) {
  calls.push_back("focus " + RectText(rect));
}

void RecordingCanvas::drawBitmap(const screen::Bitmap& bitmap, const Rect& target,
                                 screen::BitmapFit fit) {
  calls.push_back("bitmap " + NameOf(bitmap) + " " + RectText(target) +
                  (fit == screen::BitmapFit::Stretch ? " stretched" : " part") + " on " +
                  ColourName(brush));
}

}  // namespace tarnsel::test_support
