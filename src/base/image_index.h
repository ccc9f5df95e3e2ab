// The pictures of the shared image list, by position. Tray menu, tool bar, trees and lists
// all index the same list; the build draws and embeds kImageCount pictures.
#pragma once

namespace bw {

enum ImageIndex : int {
  kImageAdd = 0,
  kImageModify = 1,
  kImageDelete = 2,
  kImagePreferences = 3,
  kImageAbout = 4,
  kImageExit = 5,
  kImageConfiguration = 6,
  kImageMoveUp = 7,
  kImageMoveDown = 8,
  kImageTemplate = 9,
  kImagePlugins = 10,
  kImageResetVariables = 11,
  kImageLogo = 12,  // drawn in the tray menu's margin
  kImageClone = 13,
  kImageToggleHotkeys = 14,
  kImagePlugin = 15,
  kImageFolder = 16,
  kImageImport = 17,
  kImageExport = 18,
  kImageMinimize = 19,
  kImageCheckVersion = 20,
  kImageTemplateFailed = 21,
  kImageHelp = 22,
  kImageKeyword = 23,  // completion words by kind
  kImageProperty = 24,
  kImageMethod = 25,
  kImageCount = 26,
};

}  // namespace bw
