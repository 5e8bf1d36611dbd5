// The module's object actions, loaded with the module as tzad loads it and run as the window
// runs them: each leaves the drawing as the command it stands for leaves it with the same
// objects, and is one step of the undo list.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/language.h"
#include "model/entity_hyperlinks.h"
#include "modules/module_loader.h"
#include "platform/clipboard.h"
#include "session.h"
#include "tzed_editor.h"
#include "tzrx_object_actions.h"

using namespace tzad;
using namespace tzt;

namespace {

class ObjectActions : public testing::Test {
 protected:
  void SetUp() override {
    setHostLanguage("en");
    std::filesystem::path folder = s.dir().path() / "modules";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(TZT_HYPERLINK_MODULE, folder / "HyperLink.tzx");
    std::filesystem::copy_file(TZT_HYPERLINK_CORE, folder / "hyperlinkcore.so");
    std::filesystem::copy_file(TZT_HYPERLINK_RESOURCES, folder / "hyperlinkres.so");
    ASSERT_TRUE(loadModule((folder / "HyperLink.tzx").string())) << s.takeOutput();
    opened_ = s.dir().file("opened.txt");
    std::string opener = s.dir().file("opener.sh");
    writeFile(opener, "#!/bin/sh\nprintf '%s' \"$1\" > '" + opened_ + "'\n");
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    environment_.set("TZAD_OPEN_COMMAND", opener.c_str());
    environment_.set("TZAD_CLIPBOARD_DIR", clipboard_.path().c_str());
    environment_.set("DISPLAY", nullptr);
    environment_.set("WAYLAND_DISPLAY", nullptr);
  }
  void TearDown() override { unloadModules(); }

  TzArray<TzDbObjectId> objects(Document& doc, const std::vector<uint64_t>& handles) {
    TzArray<TzDbObjectId> ids;
    for (uint64_t handle : handles) ids.append(doc.database()->objectIdOf(TzDbHandle(handle)));
    return ids;
  }
  std::vector<uint64_t> handlesOf(const TzArray<TzDbObjectId>& ids) {
    std::vector<uint64_t> handles;
    for (TzDbObjectId id : ids) handles.push_back(id.handle().value());
    return handles;
  }
  // What the opener was given (it has ended when the command or action returns); empty when
  // it was not run.
  std::string takeOpened() {
    std::string target = std::filesystem::exists(opened_) ? readFile(opened_) : "";
    std::filesystem::remove(opened_);
    return target;
  }
  // The drawing as SAVE writes it.
  std::string saved(Document& doc) {
    s.run({"SAVE"});
    return readFile(u8(doc.fileName()));
  }

  Session s;
  ScopedEnvironment environment_;
  TempDir clipboard_;
  std::string opened_;
};

// Each action on a copy of the sample against its command on another copy: the same drawing
// afterwards, the same target opened, the same layout current.
TEST_F(ObjectActions, DoWhatTheirCommandsDoWithTheSameObjects) {
  writeFile(clipboard_.file("UniformResourceLocator"), "https://example.com/pasted");
  const struct {
    const char16_t* action;
    std::vector<uint64_t> handles;
    std::vector<std::string> command;
    std::vector<uint64_t> actedOn;
    bool opens;  // something with the desktop's opener
  } cases[] = {
      {kTzrxRemoveHyperlinkAction,
       {0x91, 0x90, 0x95},
       {"-HYPERLINK", "_Remove", "91 90 95", "", "*"},
       {0x91, 0x95},
       false},
      {kTzrxPasteAsHyperlinkAction,
       {0x90, 0x93},
       {"PASTEASHYPERLINK", "90 93", ""},
       {0x90, 0x93},
       false},
      {kTzrxOpenHyperlinkAction,
       {0x90, 0x91, 0x95},
       {"HYPERLINKOPEN", "docs/house-details.pdf", ""},
       {0x91},
       true},
      {kTzrxOpenHyperlinkAction, {0x93}, {"HYPERLINKOPEN", "", "Garage,Details"}, {0x93}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command[0] + " on " + std::to_string(c.handles.size()) + " object(s)");
    Document* byCommand = s.openSample("by_command.dxf");
    s.run(c.command);
    bool commandStep = !byCommand->nextUndo().empty();
    std::string commandOpened = takeOpened(), commandDrawing = saved(*byCommand);
    EXPECT_EQ(commandOpened.empty(), !c.opens) << commandOpened;
    TzString commandLayout;
    ASSERT_EQ(tzedGetVarText(u"CTAB", commandLayout), RTNORM);

    Document* byAction = s.openSample("by_action.dxf");
    TzArray<TzDbObjectId> ids = objects(*byAction, c.handles);
    EXPECT_EQ(Editor::instance().runObjectAction(c.action, ids, u"The Step"), RTNORM);
    EXPECT_EQ(handlesOf(ids), c.actedOn);
    TzString actionLayout;
    ASSERT_EQ(tzedGetVarText(u"CTAB", actionLayout), RTNORM);
    EXPECT_EQ(u8(actionLayout), u8(commandLayout));
    EXPECT_EQ(takeOpened(), commandOpened);
    EXPECT_EQ(byAction->nextUndo(), commandStep ? u"The Step" : u"");
    EXPECT_EQ(saved(*byAction), commandDrawing);
    s.run({"CLOSE", "CLOSE"});
    s.takeOutput();
  }
}

// Given no objects, an action is its command: it asks on the command line.
TEST_F(ObjectActions, WithoutObjectsAskAsTheirCommandsDo) {
  Document* doc = s.openSample();
  s.answer({"https://example.com/asked", ""});
  TzArray<TzDbObjectId> none;
  EXPECT_EQ(Editor::instance().runObjectAction(kTzrxOpenHyperlinkAction, none, u"Open"), RTNORM);
  EXPECT_EQ(takeOpened(), "https://example.com/asked");
  EXPECT_EQ(s.takeOutput(),
            "Enter hyperlink <current drawing>: https://example.com/asked\nEnter named location "
            "<none>: \n");

  s.answer({"91", "", "*"});
  EXPECT_EQ(Editor::instance().runObjectAction(kTzrxRemoveHyperlinkAction, none, u"Remove"),
            RTNORM);
  hyperlink::HyperlinkData data;
  EXPECT_FALSE(hyperlink::readHyperlink(objects(*doc, {0x91})[0], data)) << s.takeOutput();
}

// Copy puts the first linked object's hyperlink on the clipboard, a relative address with a
// URI from the drawing's folder; an object without one copies nothing.
TEST_F(ObjectActions, CopyTakesTheFirstLinkedObjectsHyperlink) {
  Document* doc = s.openSample();
  TzArray<TzDbObjectId> unlinked = objects(*doc, {0x90});
  EXPECT_EQ(Editor::instance().runObjectAction(kTzrxCopyHyperlinkAction, unlinked, u"Copy"),
            RTERROR);
  EXPECT_TRUE(std::filesystem::is_empty(clipboard_.path()));

  TzArray<TzDbObjectId> ids = objects(*doc, {0x90, 0x91, 0x95});
  EXPECT_EQ(Editor::instance().runObjectAction(kTzrxCopyHyperlinkAction, ids, u"Copy"), RTNORM);
  EXPECT_EQ(handlesOf(ids), std::vector<uint64_t>{0x91});
  std::optional<platform::ClipboardHyperlink> copied = platform::Clipboard::attach().hyperlink();
  ASSERT_TRUE(copied);
  EXPECT_EQ(copied->address, u"docs/house-details.pdf");
  EXPECT_EQ(copied->description, u"House details");
  EXPECT_EQ(readFile(clipboard_.file("text/uri-list")),
            "file://" + s.dir().path().string() + "/docs/house-details.pdf\r\n");
  EXPECT_FALSE(doc->database()->isModified());
}

// Highlighting keeps the linked objects and changes nothing; editing without a display says
// so, as HYPERLINK does.
TEST_F(ObjectActions, HighlightKeepsTheLinkedAndEditNeedsADisplay) {
  Document* doc = s.openSample();
  TzArray<TzDbObjectId> ids = objects(*doc, {0x90, 0x91, 0x93, 0x95, 0x98});
  EXPECT_EQ(Editor::instance().runObjectAction(kTzrxHighlightHyperlinksAction, ids, u"Mark"),
            RTNORM);
  EXPECT_EQ(handlesOf(ids), (std::vector<uint64_t>{0x91, 0x93, 0x95, 0x98}));
  EXPECT_EQ(doc->nextUndo(), u"");

  ids = objects(*doc, {0x91});
  EXPECT_EQ(Editor::instance().runObjectAction(kTzrxEditHyperlinkAction, ids, u"Edit"), RTNORM);
  EXPECT_EQ(s.takeOutput(),
            "HYPERLINK opens the Insert Hyperlink dialog, which needs a display. On the command "
            "line, use -HYPERLINK.\n");
}

}  // namespace
