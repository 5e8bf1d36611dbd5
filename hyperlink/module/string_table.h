// The module's texts: each a string-table identifier with its built-in default, the text users
// see when the resource library lacks it.
#pragma once

#include <cstdint>

struct TextId {
  uint32_t id;
  const char16_t* defaultText;
};

namespace text {

inline constexpr TextId kCannotOpenFile{755, u"%s无法打开此文件或无法分析这种文件。"};
inline constexpr TextId kUrlTooLong{
    756, u"输入的 URL 包含的字符太多。URL 字符串长度当前被限制在 255 个字符以内。"};
inline constexpr TextId kTextTooLong{
    757,
    u"在“要显示的文字”字段中输入的文字包含的字符太多。此文字长度当前被限制在 255 个字符以内。"};
inline constexpr TextId kLocationTooLong{
    758, u"指定的位置包含的字符太多。位置字符串长度当前被限制在 255 个字符以内。"};
inline constexpr TextId kPromptDescription{759, u"\n输入说明 <无>: "};
inline constexpr TextId kPromptRemoveWhich{760, u"\n输入编号、超链接或 * (表示所有): "};
inline constexpr TextId kPromptOption{761, u"\n输入选项 [删除(R)/插入(I)] <插入>: "};
inline constexpr TextId kPromptNamedLocation{762, u"\n输入命名位置 <无>: "};
inline constexpr TextId kRemovedCount{764, u"\n %i个超链接已删除。"};
inline constexpr TextId kInvalidChoice{768, u"\n非有效选择，请重试。"};
inline constexpr TextId kAreaCancelled{769, u"命令已取消，正在删除区域。\n"};
inline constexpr TextId kPromptInsertOption{772,
                                            u"\n输入超链接插入选项 [区域(A)/对象(O)] <对象>: "};
inline constexpr TextId kPromptOverwrite{778, u"是否覆盖现有的超链接？[是(Y)/否(N)] <是>:"};
inline constexpr TextId kPromptHyperlink{779, u"\n输入超链接 <当前图形>: "};
inline constexpr TextId kUrlLayerFrozen{784,
                                        u"URLLAYER 已冻结。要使用“按区域插入”应解冻 URLLAYER。\n"};
inline constexpr TextId kFirstCorner{785, u"\n第一角点: "};
inline constexpr TextId kOtherCorner{786, u"\n另一角点: "};
inline constexpr TextId kUrlLayerLocked{787,
                                        u"URLLAYER 已锁定。要使用“按区域插入”应解锁 URLLAYER。\n"};
inline constexpr TextId kLayerLocked{789, u"图层已锁定。解锁此图层以进行编辑。\n"};
inline constexpr TextId kTargetNotFound{790, u"未找到超链接目标"};
inline constexpr TextId kObjectsSelected{791, u"已选择 %d 个对象"};
inline constexpr TextId kObjectsWithLinks{792, u"%d 个对象带超链接"};
inline constexpr TextId kInsertTitle{793, u"插入超链接"};
inline constexpr TextId kEditTitle{794, u"编辑超链接"};
inline constexpr TextId kFileOrWebPage{795, u"现有文件或\nweb页"};
inline constexpr TextId kViewOfDrawing{796, u"此图形的\n视图"};
inline constexpr TextId kEmailAddress{797, u"电子邮件地址"};
inline constexpr TextId kRecentFiles{798, u"最近使用\n的文件"};
inline constexpr TextId kBrowsedPages{799, u"浏览的\n页面"};
inline constexpr TextId kInsertedLinks{800, u"插入的\n链接"};
inline constexpr TextId kBrowseWeb{801, u"浏览web- 选择超链接"};
inline constexpr TextId kModelName{804, u"Model"};
inline constexpr TextId kAddToFavoritesMenu{1071, u"添加到收藏夹..."};
inline constexpr TextId kInternetShortcuts{1072, u"Internet Shortcuts"};
inline constexpr TextId kAddToFavorites{1073, u"Add To Favorites"};
inline constexpr TextId kShortcutName{1074, u"Specify a name for the shortcut"};

// Texts of this port: what HYPERLINK says while it has no dialog to open, and HELP's lines.
inline constexpr TextId kDialogNeedsDisplay{
    2101,
    u"HYPERLINK 打开“插入超链接”对话框，该对话框需要图形显示。在命令行上请使用 -HYPERLINK。\n"};
inline constexpr TextId kHelpHyperlinkDialog{2102, u"打开“插入超链接”对话框。"};
inline constexpr TextId kHelpHyperlink{2103, u"在命令行上插入或删除对象和区域的超链接。"};
inline constexpr TextId kHelpHyperlinkOpen{2104, u"打开超链接目标：网页、邮件、文档或图形。"};
inline constexpr TextId kHelpPasteAsHyperlink{2105,
                                              u"把剪贴板上的网址或文件作为选定对象的超链接。"};

// Keyword lists, from the host's keyword library.
inline constexpr TextId kKeywordsYesNo{10001, u"Yes No _Yes No"};
inline constexpr TextId kKeywordsAreaObject{50001, u"Area Object _Area Object"};
inline constexpr TextId kKeywordsRemoveInsert{50002, u"Remove Insert _Remove Insert"};

}  // namespace text
