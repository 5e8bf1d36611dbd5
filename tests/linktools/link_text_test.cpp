// The link tools' texts: placeholders by position, in either language.
#include <gtest/gtest.h>

#include "core/link_text.h"
#include "modules/module_loader.h"
#include "session.h"

using namespace linktools;
using namespace tzt;

namespace {

TEST(LinkText, PlaceholdersByPositionInEitherLanguage) {
  tzad::setHostLanguage("en");
  EXPECT_EQ(u8(linkText(u"%1 of %2 hyperlinks are broken.", {u"3", u"120"})),
            "3 of 120 hyperlinks are broken.");
  EXPECT_EQ(u8(countText(1, u"%1 of %2 hyperlink is broken.", u"%1 of %2 hyperlinks are broken.",
                         {u"0", u"1"})),
            "0 of 1 hyperlink is broken.");
  // Not in the table: the English itself; "%%" is a "%", a placeholder without its argument
  // stays as it is.
  EXPECT_EQ(u8(linkText(u"100%% of %1, %3", {u"x"})), "100% of x, %3");
  tzad::setHostLanguage("zh");
  // Chinese names the total first.
  EXPECT_EQ(u8(linkText(u"%1 of %2 hyperlinks are broken.", {u"3", u"120"})),
            "120 个超链接中有 3 个已失效。");
  EXPECT_EQ(u8(linkText(u"Yes No _Yes No")), "是(Y) 否(N) _Yes No");
  tzad::setHostLanguage("en");
}

}  // namespace
