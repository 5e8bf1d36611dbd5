// The file page's lists filled in a real list box from a temporary home: a key's values, the
// typed address put on top and written back, browsed pages with their addresses.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <wx/frame.h>
#include <wx/listbox.h>

#include <memory>

#include "filepage/recent_items.h"
#include "platform/settings_store.h"
#include "test_support.h"

using namespace hyperlink;
using namespace tzt;

namespace {

// A list box in a frame of its own, both gone with the object.
class ListWindow {
 public:
  ListWindow()
      : frame_(new wxFrame(nullptr, wxID_ANY, "list")), list_(new wxListBox(frame_, wxID_ANY)) {}
  ~ListWindow() { frame_->Destroy(); }
  wxListBox& list() { return *list_; }
  std::vector<std::string> entries() const {
    std::vector<std::string> texts;
    for (const wxString& text : list_->GetStrings()) texts.push_back(text.utf8_string());
    return texts;
  }

 private:
  wxFrame* frame_;
  wxListBox* list_;
};

TEST(RecentItems, TypedAddressesLoadedAndRemembered) {
  TemporaryHome home;
  ListWindow window;
  EXPECT_FALSE(loadRegistryValues(kTypedUrlsKey, window.list()));
  EXPECT_EQ(window.list().GetCount(), 0u);
  for (auto [name, data] : {std::pair{u"url1", u"www.one.com"},
                            {u"url2", u"http://两.example/"},
                            {u"url3", u"www.three.com"}})
    ASSERT_TRUE(platform::writeSettingsValue(kTypedUrlsKey, name, data));
  ASSERT_TRUE(loadRegistryValues(kTypedUrlsKey, window.list()));

  rememberTypedAddress(window.list(), u"WWW.THREE.COM");
  EXPECT_EQ(window.entries(),
            (std::vector<std::string>{"www.one.com", "http://两.example/", "www.three.com"}));
  rememberTypedAddress(window.list(), u"www.four.com");
  EXPECT_EQ(window.entries(), (std::vector<std::string>{"www.four.com", "www.one.com",
                                                        "http://两.example/", "www.three.com"}));
  auto key = platform::readSettingsKey(kTypedUrlsKey);
  ASSERT_TRUE(key);
  ASSERT_EQ(key->values.size(), 4u);
  EXPECT_EQ(key->values[3].name, u"url4");
  EXPECT_EQ(key->values[3].data, u"www.four.com");
}

TEST(RecentItems, BrowsedPagesCarryTheirAddress) {
  TemporaryHome home;
  std::filesystem::path file = home.config() / "chromium" / "Default" / "History";
  std::filesystem::create_directories(file.parent_path());
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db,
                         "CREATE TABLE urls(id INTEGER PRIMARY KEY AUTOINCREMENT, url LONGVARCHAR,"
                         " title LONGVARCHAR, visit_count INTEGER DEFAULT 0 NOT NULL,"
                         " typed_count INTEGER DEFAULT 0 NOT NULL,"
                         " last_visit_time INTEGER NOT NULL, hidden INTEGER DEFAULT 0 NOT NULL);"
                         "INSERT INTO urls (url, title, last_visit_time) VALUES"
                         " ('https://titled.example/', '标题', 13350000000000000),"
                         " ('https://untitled.example/', '', 13340000000000000);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  ListWindow window;
  loadBrowsedPages(window.list());
  EXPECT_EQ(window.entries(), (std::vector<std::string>{"标题", "https://untitled.example/"}));
  std::vector<std::string> addresses;
  for (unsigned i = 0; i < window.list().GetCount(); ++i)
    addresses.push_back(static_cast<wxStringClientData*>(window.list().GetClientObject(i))
                            ->GetData()
                            .utf8_string());
  EXPECT_EQ(addresses,
            (std::vector<std::string>{"https://titled.example/", "https://untitled.example/"}));
}

}  // namespace
