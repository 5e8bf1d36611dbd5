#include "editor/variables.h"
#include "base/translation.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "dxf/dxf_tag.h"
#include "editor/editor.h"
#include "editor/user_settings.h"
#include "platform/text.h"
#include "tzdb_database.h"

namespace tzad {

namespace {

const std::vector<SystemVariable> kVariables = {
    {u"CLAYER", RTSTR, false},        {u"CTAB", RTSTR, false},
    {u"DWGNAME", RTSTR, true},        {u"DWGPREFIX", RTSTR, true},
    {u"HYPERLINKBASE", RTSTR, false}, {u"INETLOCATION", RTSTR, false},
    {u"ISAVEBAK", RTSHORT, false},    {u"SAVETIME", RTSHORT, false},
    {u"UCSORG", RT3DPOINT, true},     {u"VIEWCTR", RT3DPOINT, true},
    {u"VIEWSIZE", RTREAL, true},
};

const char* kDefaultInetLocation = "https://www.example.com/";

// The user's integer settings (kept across sessions, not in the drawing): name, default and
// the largest value; the smallest is 0.
struct IntegerSetting {
  const char16_t* name;
  short fallback;
  short largest;
};
const IntegerSetting kIntegerSettings[] = {
    {u"ISAVEBAK", 1, 1},     // 1: a save keeps the replaced drawing as NAME.bak
    {u"SAVETIME", 10, 600},  // minutes between automatic saves of a changed drawing; 0: none
};

// Every RTSHORT variable has its entry.
const IntegerSetting& integerSetting(std::u16string_view name) {
  for (const IntegerSetting& s : kIntegerSettings)
    if (name == s.name) return s;
  return kIntegerSettings[0];
}

short integerValue(std::u16string_view name) {
  const IntegerSetting& s = integerSetting(name);
  std::string text = userSetting(tzutToUtf8(name), std::to_string(s.fallback));
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  bool valid = !text.empty() && *end == 0 && value >= 0 && value <= s.largest;
  return valid ? static_cast<short>(value) : s.fallback;
}

bool setInteger(std::u16string_view name, long value) {
  Editor& ed = Editor::instance();
  const IntegerSetting& s = integerSetting(name);
  if (value < 0 || value > s.largest) {
    ed.write(trf("{0} takes a value from 0 to {1}.\n", {name, s.largest}));
    return false;
  }
  if (setUserSetting(tzutToUtf8(name), std::to_string(value))) return true;
  ed.write(trf("Cannot save {0} in {1}.\n", {name, userSettingsPath()}));
  return false;
}

std::u16string layoutNameOf(TzDbDatabase& db, TzDbObjectId blockRecord) {
  TzDbDictionary* opened = nullptr;
  if (db.getLayoutDictionary(opened, TzDb::kForRead) != Tzad::eOk) return u"Model";
  TzDbObjectPointer<TzDbDictionary> dict(opened);
  std::unique_ptr<TzDbDictionaryIterator> it(dict->newIterator());
  std::u16string name = u"Model";
  for (; !it->done(); it->next()) {
    TzDbObjectPointer<TzDbLayout> layout(it->objectId(), TzDb::kForRead);
    if (layout && layout->getBlockTableRecordId() == blockRecord) name = layout->getLayoutName();
  }
  return dict.close() == Tzad::eOk ? name : u"Model";
}

// By the layouts' own names: a dictionary key can lag behind a renamed layout.
TzDbObjectId layoutBlock(TzDbDatabase& db, const std::u16string& name) {
  TzDbDictionary* opened = nullptr;
  if (db.getLayoutDictionary(opened, TzDb::kForRead) != Tzad::eOk) return {};
  TzDbObjectPointer<TzDbDictionary> dict(opened);
  std::unique_ptr<TzDbDictionaryIterator> it(dict->newIterator());
  TzDbObjectId block;
  for (; !it->done() && block.isNull(); it->next()) {
    TzDbObjectPointer<TzDbLayout> layout(it->objectId(), TzDb::kForRead);
    if (layout && tzutEqualsNoCase(layout->getLayoutName(), name))
      block = layout->getBlockTableRecordId();
  }
  return dict.close() == Tzad::eOk ? block : TzDbObjectId();
}

// A drawing's folder; for one never saved the working folder, which may be gone (removed
// while tzad runs): then there is none.
std::u16string currentFolder(const Document& doc) {
  std::error_code gone;
  std::string folder =
      doc.isUntitled()
          ? std::filesystem::current_path(gone).string()
          : std::filesystem::path(platform::toFileName(doc.fileName())).parent_path().string();
  if (gone || folder.empty()) return {};
  if (folder.back() != '/') folder += '/';
  return platform::fromFileName(folder);
}

// Without documents (a program that reads drawings itself), the working database stands for
// the drawing: its hyperlink base, folder and name. tzad itself has a working database only
// while a document is current.
std::optional<std::u16string> workingDrawingValue(std::u16string_view name) {
  TzDbDatabase* db = tzdbHostApplicationServices()->workingDatabase();
  if (db == nullptr) return std::nullopt;
  if (name == u"HYPERLINKBASE") return db->hyperlinkBase();
  if ((name != u"DWGPREFIX" && name != u"DWGNAME") || db->fileName().empty()) return std::nullopt;
  std::error_code gone;
  std::filesystem::path file =
      std::filesystem::absolute(platform::toFileName(db->fileName()), gone).lexically_normal();
  if (gone) return std::nullopt;
  if (name == u"DWGNAME") return platform::fromFileName(file.filename().string());
  std::string folder = file.parent_path().string();
  if (folder.back() != '/') folder += '/';
  return platform::fromFileName(folder);
}

std::optional<std::u16string> stringValue(std::u16string_view name, Document* doc) {
  if (name == u"INETLOCATION")
    return tzutFromUtf8(userSetting("INETLOCATION", kDefaultInetLocation));
  if (doc == nullptr) return workingDrawingValue(name);
  TzDbDatabase& db = *doc->database();
  if (name == u"HYPERLINKBASE") return db.hyperlinkBase();
  if (name == u"DWGPREFIX") return currentFolder(*doc);
  if (name == u"DWGNAME") return doc->docTitle();
  if (name == u"CTAB") return layoutNameOf(db, db.currentSpaceId());
  if (name == u"CLAYER") {
    TzDbObjectPointer<TzDbLayerTableRecord> layer(db.clayer(), TzDb::kForRead);
    return layer ? layer->getName() : u"0";
  }
  return std::nullopt;
}

std::optional<TzGePoint3d> pointValue(std::u16string_view name, Document* doc) {
  if (doc == nullptr) return std::nullopt;
  if (name == u"VIEWCTR") return doc->viewCenter;
  if (name == u"UCSORG") return doc->ucs.origin;
  return std::nullopt;
}

std::u16string formatNumber(double v) {
  return tzutFromUtf8(::formatNumber(std::fabs(v) < 5e-5 ? 0.0 : v, std::chars_format::fixed, 4));
}

bool setString(std::u16string_view name, const std::u16string& value) {
  Editor& ed = Editor::instance();
  Document* doc = ed.document();
  if (name == u"INETLOCATION") {
    if (setUserSetting("INETLOCATION", tzutToUtf8(value))) return true;
    ed.write(trf("Cannot save {0} in {1}.\n", {u"INETLOCATION", userSettingsPath()}));
    return false;
  }
  if (doc == nullptr) {
    ed.write(tr("No drawing is open.\n"));
    return false;
  }
  TzDbDatabase& db = *doc->database();
  if (name == u"HYPERLINKBASE") return db.setHyperlinkBase(value) == Tzad::eOk;
  if (name == u"CTAB") {
    TzDbObjectId block = layoutBlock(db, value);
    if (block.isNull() || db.setCurrentSpace(block) != Tzad::eOk) {
      ed.write(trf("Layout \"{0}\" not found.\n", {value}));
      return false;
    }
    return true;
  }
  if (name == u"CLAYER") {
    TzDbLayerTable* opened = nullptr;
    TzDbObjectId id;
    if (db.getSymbolTable(opened, TzDb::kForRead) == Tzad::eOk) {
      TzDbObjectPointer<TzDbLayerTable> table(opened);
      bool found = table->getIdAt(value, id) == Tzad::eOk;
      if (table.close() != Tzad::eOk || !found) id = {};
    }
    if (id.isNull() || db.setClayer(id) != Tzad::eOk) {
      ed.write(trf("Layer \"{0}\" not found.\n", {value}));
      return false;
    }
    return true;
  }
  return false;
}

}  // namespace

const std::vector<SystemVariable>& systemVariables() {
  return kVariables;
}

const SystemVariable* findSystemVariable(std::u16string_view name) {
  std::u16string upper = upperCase(name);
  for (const SystemVariable& v : kVariables)
    if (upper == v.name) return &v;
  return nullptr;
}

std::optional<std::u16string> variableText(std::u16string_view name) {
  const SystemVariable* var = findSystemVariable(name);
  if (var == nullptr) return std::nullopt;
  Document* doc = Editor::instance().document();
  if (var->type == RTSTR) {
    auto value = stringValue(var->name, doc);
    if (!value) return std::nullopt;
    return u"\"" + *value + u"\"";
  }
  if (var->type == RT3DPOINT) {
    auto p = pointValue(var->name, doc);
    if (!p) return std::nullopt;
    return formatNumber(p->x) + u"," + formatNumber(p->y) + u"," + formatNumber(p->z);
  }
  if (var->type == RTSHORT) return tzutFromUtf8(std::to_string(integerValue(var->name)));
  if (doc == nullptr) return std::nullopt;
  return formatNumber(doc->viewSize);
}

bool setVariableFromText(const SystemVariable& var, const std::u16string& text) {
  resbuf rb;
  rb.restype = var.type;
  if (var.type == RTSHORT) {
    std::string digits = tzutToUtf8(text);
    char* end = nullptr;
    long value = std::strtol(digits.c_str(), &end, 10);
    if (digits.empty() || *end != 0 || value < SHRT_MIN || value > SHRT_MAX) {
      Editor::instance().write(tr("Requires an integer value.\n"));
      return false;
    }
    rb.resval.rint = static_cast<short>(value);
    return tzedSetVar(var.name, &rb) == RTNORM;
  }
  std::u16string value = text == u"." ? std::u16string() : text;
  if (var.type != RTSTR) return false;
  rb.resval.rstring = value.data();
  return tzedSetVar(var.name, &rb) == RTNORM;
}

}  // namespace tzad

// The SDK functions keep their global names and work through the host's own code.
using tzad::Document;
using tzad::Editor;
using tzad::findSystemVariable;
using tzad::integerValue;
using tzad::pointValue;
using tzad::setInteger;
using tzad::setString;
using tzad::stringValue;
using tzad::SystemVariable;
using tzad::trf;
using tzad::variableText;

int tzedGetVar(const char16_t* name, resbuf* result) {
  if (name == nullptr || result == nullptr) return RTERROR;
  const SystemVariable* var = findSystemVariable(name);
  if (var == nullptr) return RTERROR;
  Document* doc = Editor::instance().document();
  result->restype = var->type;
  if (var->type == RTSTR) {
    auto value = stringValue(var->name, doc);
    if (!value) return RTERROR;
    return tzutNewString(value->c_str(), result->resval.rstring);
  }
  if (var->type == RT3DPOINT) {
    auto p = pointValue(var->name, doc);
    if (!p) return RTERROR;
    result->resval.rpoint[0] = p->x;
    result->resval.rpoint[1] = p->y;
    result->resval.rpoint[2] = p->z;
    return RTNORM;
  }
  if (var->type == RTSHORT) {
    result->resval.rint = integerValue(var->name);
    return RTNORM;
  }
  if (doc == nullptr) return RTERROR;
  result->resval.rreal = doc->viewSize;
  return RTNORM;
}

int tzedSetVar(const char16_t* name, const resbuf* value) {
  const SystemVariable* var = name ? findSystemVariable(name) : nullptr;
  if (var == nullptr || value == nullptr) return RTERROR;
  if (var->readOnly) {
    Editor::instance().write(trf("{0} is read-only.\n", {var->name}));
    return RTERROR;
  }
  if (var->type == RTSHORT) {
    if (value->restype == RTSHORT)
      return setInteger(var->name, value->resval.rint) ? RTNORM : RTERROR;
    if (value->restype == RTLONG)
      return setInteger(var->name, value->resval.rlong) ? RTNORM : RTERROR;
    return RTERROR;
  }
  if (value->restype != RTSTR || var->type != RTSTR) return RTERROR;
  std::u16string text = value->resval.rstring ? value->resval.rstring : u"";
  return setString(var->name, text) ? RTNORM : RTERROR;
}

int tzedGetVarText(const char16_t* name, TzString& value) {
  resbuf rb;
  if (tzedGetVar(name, &rb) != RTNORM) return RTERROR;
  if (rb.restype == RTSTR) {
    value = rb.resval.rstring;
    tzutDelBuffer(rb.resval.rstring);
  } else {
    value = *variableText(name);
  }
  return RTNORM;
}
