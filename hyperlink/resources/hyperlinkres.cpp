// hyperlinkres: the HyperLink module's string table, in Chinese (the module's own wording)
// and English. It serves the language the host runs in; Chinese when that is neither.
#include "tzres_string.h"
#include "tzrx_module.h"

namespace {

// English prompts keep the capital letters of each keyword, so "R", "I", "A", "O", "Y" and
// "N" answer them as the keyword lists expect.
const TzresEntry kStrings[] = {
    {755, u"%s无法打开此文件或无法分析这种文件。",
     u"%s cannot be opened, or files of its kind cannot be read."},
    {756, u"输入的 URL 包含的字符太多。URL 字符串长度当前被限制在 255 个字符以内。",
     u"The URL you entered has too many characters. URLs are currently limited to 255 "
     u"characters."},
    {757,
     u"在“要显示的文字”字段中输入的文字包含的字符太多。此文字长度当前被限制在 255 个字符以内。",
     u"The text you entered in the \"Text to display\" field has too many characters. It is "
     u"currently limited to 255 characters."},
    {758, u"指定的位置包含的字符太多。位置字符串长度当前被限制在 255 个字符以内。",
     u"The location you specified has too many characters. Locations are currently limited to "
     u"255 characters."},
    {759, u"\n输入说明 <无>: ", u"\nEnter description <none>: "},
    {760, u"\n输入编号、超链接或 * (表示所有): ", u"\nEnter number, hyperlink, or * for all: "},
    {761, u"\n输入选项 [删除(R)/插入(I)] <插入>: ",
     u"\nEnter an option [Remove/Insert] <Insert>: "},
    {762, u"\n输入命名位置 <无>: ", u"\nEnter named location <none>: "},
    {764, u"\n %i个超链接已删除。", u"\n %i hyperlink(s) deleted."},
    {768, u"\n非有效选择，请重试。", u"\nNot a valid choice, please try again."},
    {769, u"命令已取消，正在删除区域。\n", u"Command cancelled, deleting the area.\n"},
    {772, u"\n输入超链接插入选项 [区域(A)/对象(O)] <对象>: ",
     u"\nEnter hyperlink insert option [Area/Object] <Object>: "},
    {778, u"是否覆盖现有的超链接？[是(Y)/否(N)] <是>:",
     u"Overwrite existing hyperlinks? [Yes/No] <Yes>:"},
    {779, u"\n输入超链接 <当前图形>: ", u"\nEnter hyperlink <current drawing>: "},
    {784, u"URLLAYER 已冻结。要使用“按区域插入”应解冻 URLLAYER。\n",
     u"URLLAYER is frozen. Thaw URLLAYER to insert by area.\n"},
    {785, u"\n第一角点: ", u"\nFirst corner: "},
    {786, u"\n另一角点: ", u"\nOther corner: "},
    {787, u"URLLAYER 已锁定。要使用“按区域插入”应解锁 URLLAYER。\n",
     u"URLLAYER is locked. Unlock URLLAYER to insert by area.\n"},
    {789, u"图层已锁定。解锁此图层以进行编辑。\n", u"Layer is locked. Unlock the layer to edit.\n"},
    {790, u"未找到超链接目标", u"Hyperlink target not found"},
    {791, u"已选择 %d 个对象", u"%d objects selected"},
    {792, u"%d 个对象带超链接", u"%d objects with hyperlinks"},
    {793, u"插入超链接", u"Insert Hyperlink"},
    {794, u"编辑超链接", u"Edit Hyperlink"},
    {795, u"现有文件或\nweb页", u"Existing File\nor Web Page"},
    {796, u"此图形的\n视图", u"View of This\nDrawing"},
    {797, u"电子邮件地址", u"E-mail Address"},
    {798, u"最近使用\n的文件", u"Recent\nFiles"},
    {799, u"浏览的\n页面", u"Browsed\nPages"},
    {800, u"插入的\n链接", u"Inserted\nLinks"},
    {801, u"浏览web- 选择超链接", u"Browse the Web - Select Hyperlink"},
    {804, u"Model", u"Model"},
    {1071, u"添加到收藏夹...", u"Add to Favorites..."},
    {1072, u"Internet Shortcuts", u"Internet Shortcuts"},
    {1073, u"Add To Favorites", u"Add To Favorites"},
    {1074, u"Specify a name for the shortcut", u"Specify a name for the shortcut"},
    {2101,
     u"HYPERLINK 打开“插入超链接”对话框，该对话框需要图形显示。在命令行上请使用 -HYPERLINK。\n",
     u"HYPERLINK opens the Insert Hyperlink dialog, which needs a display. On the command line, "
     u"use -HYPERLINK.\n"},
    {2102, u"打开“插入超链接”对话框。", u"Opens the Insert Hyperlink dialog."},
    {2103, u"在命令行上插入或删除对象和区域的超链接。",
     u"Inserts or removes hyperlinks of objects and areas on the command line."},
    {2104, u"打开超链接目标：网页、邮件、文档或图形。",
     u"Opens a hyperlink target: a web page, an e-mail, a document or a drawing."},
    {2105, u"把剪贴板上的网址或文件作为选定对象的超链接。",
     u"Makes the web address or file on the clipboard the hyperlink of the selected objects."},
};

}  // namespace

extern "C" __attribute__((visibility("default"))) int tzresLoadString(unsigned id, char16_t* buffer,
                                                                      int size) {
  return tzresLoadFromTable(kStrings, id, buffer, size, tzutLanguage());
}
