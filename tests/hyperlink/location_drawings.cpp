#include "location_drawings.h"

#include <cstdio>

namespace tzt {

namespace {

std::string group(int code, const std::string& value) {
  char number[16];
  std::snprintf(number, sizeof number, "%3d\n", code);
  return number + value + "\n";
}

std::string hex(unsigned handle) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", handle);
  return text;
}

std::string section(const std::string& name, const std::string& body) {
  return group(0, "SECTION") + group(2, name) + body + group(0, "ENDSEC");
}

// Handles: tables 1 to 2, the root dictionary 3, the layout dictionary 4, then 0x10 + i for
// layout i's block record, 0x30 + i for its block, 0x50 + i for its LAYOUT object, 0x70 + i
// for view i.
constexpr unsigned kViewTable = 1, kBlockRecordTable = 2, kRootDictionary = 3, kLayouts = 4;

std::string blockName(const std::vector<DrawingLayout>& layouts, size_t i) {
  if (layouts[i].model) return "*Model_Space";
  size_t paperIndex = 0;
  for (size_t k = 0; k < i; ++k)
    if (!layouts[k].model) ++paperIndex;
  return paperIndex == 0 ? "*Paper_Space" : "*Paper_Space" + std::to_string(paperIndex - 1);
}

std::string viewTable(const std::vector<DrawingView>& views) {
  std::string text = group(0, "TABLE") + group(2, "VIEW") + group(5, hex(kViewTable)) +
                     group(100, "AcDbSymbolTable") + group(70, std::to_string(views.size()));
  for (size_t i = 0; i < views.size(); ++i) {
    text += group(0, "VIEW") + group(5, hex(0x70 + i)) + group(330, hex(kViewTable)) +
            group(100, "AcDbSymbolTableRecord") + group(100, "AcDbViewTableRecord") +
            group(2, views[i].name) + group(70, views[i].paper ? "1" : "0") + group(40, "10.0") +
            group(10, "5.0") + group(20, "5.0") + group(41, "20.0");
  }
  return text + group(0, "ENDTAB");
}

std::string blockRecordTable(const std::vector<DrawingLayout>& layouts) {
  std::string text = group(0, "TABLE") + group(2, "BLOCK_RECORD") +
                     group(5, hex(kBlockRecordTable)) + group(100, "AcDbSymbolTable") +
                     group(70, std::to_string(layouts.size()));
  for (size_t i = 0; i < layouts.size(); ++i) {
    text += group(0, "BLOCK_RECORD") + group(5, hex(0x10 + i)) +
            group(330, hex(kBlockRecordTable)) + group(100, "AcDbSymbolTableRecord") +
            group(100, "AcDbBlockTableRecord") + group(2, blockName(layouts, i)) +
            group(340, hex(0x50 + i));
  }
  return text + group(0, "ENDTAB");
}

std::string blocks(const std::vector<DrawingLayout>& layouts) {
  std::string text;
  for (size_t i = 0; i < layouts.size(); ++i) {
    std::string name = blockName(layouts, i);
    text += group(0, "BLOCK") + group(5, hex(0x30 + i)) + group(330, hex(0x10 + i)) +
            group(100, "AcDbEntity") + group(8, "0") + group(100, "AcDbBlockBegin") +
            group(2, name) + group(70, "0") + group(10, "0.0") + group(20, "0.0") +
            group(30, "0.0") + group(3, name) + group(1, "") + group(0, "ENDBLK") +
            group(5, hex(0x38 + i)) + group(330, hex(0x10 + i)) + group(100, "AcDbEntity") +
            group(8, "0") + group(100, "AcDbBlockEnd");
  }
  return text;
}

std::string objects(const std::vector<DrawingLayout>& layouts) {
  std::string text = group(0, "DICTIONARY") + group(5, hex(kRootDictionary)) + group(330, "0") +
                     group(100, "AcDbDictionary") + group(281, "1") + group(3, "ACAD_LAYOUT") +
                     group(350, hex(kLayouts));
  text += group(0, "DICTIONARY") + group(5, hex(kLayouts)) + group(330, hex(kRootDictionary)) +
          group(100, "AcDbDictionary") + group(281, "1");
  for (size_t i = 0; i < layouts.size(); ++i)
    text += group(3, layouts[i].name) + group(350, hex(0x50 + i));
  for (size_t i = 0; i < layouts.size(); ++i) {
    text += group(0, "LAYOUT") + group(5, hex(0x50 + i)) + group(330, hex(kLayouts)) +
            group(100, "AcDbPlotSettings") + group(1, "") + group(100, "AcDbLayout") +
            group(1, layouts[i].name) + group(70, "1") + group(71, std::to_string(i)) +
            group(330, hex(0x10 + i));
  }
  return text;
}

}  // namespace

std::string locationDrawing(const std::vector<DrawingLayout>& layouts,
                            const std::vector<DrawingView>& views) {
  return section("HEADER", group(9, "$ACADVER") + group(1, "AC1021") + group(9, "$HANDSEED") +
                               group(5, "100")) +
         section("TABLES", viewTable(views) + blockRecordTable(layouts)) +
         section("BLOCKS", blocks(layouts)) + section("ENTITIES", "") +
         section("OBJECTS", objects(layouts)) + group(0, "EOF");
}

std::string twoSheetDrawing() {
  return locationDrawing(
      {{"Model", true}, {"Layout1", false}, {"Layout2", false}},
      {{"Title", true}, {"Entry", false}, {"Legend", true}, {"Garden", false}, {"Notes", true}});
}

}  // namespace tzt
