// linkText and the link tools' texts in Chinese, each beside its English. When the texts move
// into the host's message catalog, this table goes there and linkText looks them up in it.
#include <string>
#include <unordered_map>

#include "core/link_text.h"
#include "tzrx_module.h"

namespace linktools {

// tzlinks --help, in English: the key of its translation below and what tzlinks shows.
extern const std::u16string_view kTzlinksHelp =
    u"usage: tzlinks list [OPTION]... PATH...\n"
    u"       tzlinks check [--web] [--timeout SECONDS] [--jobs N] [OPTION]... PATH...\n"
    u"       tzlinks replace [--match-case] [--prefix] [--locations] [--dry-run]\n"
    u"                       [OPTION]... OLD NEW PATH...\n"
    u"       tzlinks --help | --version\n"
    u"\n"
    u"Lists, checks and relinks the hyperlinks of many drawings at once. Each PATH is a\n"
    u"drawing, or a folder whose .dxf drawings are read, in its subfolders too. One\n"
    u"hyperlink per linked object is listed: the one other DXF programs read.\n"
    u"\n"
    u"Actions:\n"
    u"  list                 print every hyperlink of every drawing\n"
    u"  check                check every hyperlink as HYPERLINKCHECK does: files and\n"
    u"                       drawings are looked for as HYPERLINKOPEN resolves them (the\n"
    u"                       hyperlink base, the drawing's folder), named views and layouts\n"
    u"                       in the drawings they name, e-mail addresses and URLs read;\n"
    u"                       only the broken ones are shown in the table\n"
    u"  replace OLD NEW      replace OLD with NEW in hyperlink addresses and save each\n"
    u"                       changed drawing as SAVE does, the old one kept as NAME.bak\n"
    u"                       (unless ISAVEBAK is 0)\n"
    u"\n"
    u"Options:\n"
    u"  --json               one JSON object per line and hyperlink, with the keys file,\n"
    u"                       handle, address, location and description; check adds status\n"
    u"                       and detail, replace new_address and new_location\n"
    u"  --csv                the same columns as comma-separated values, with a header\n"
    u"  --web                check: look web addresses up too (HTTP HEAD, then GET), several\n"
    u"                       at a time, through the proxies the environment names\n"
    u"  --timeout SECONDS    check: how long each web address may take (default: 10)\n"
    u"  --jobs N             check: web addresses looked up at the same time (default: 8)\n"
    u"  --match-case         replace: letter case must match (it is ignored otherwise)\n"
    u"  --prefix             replace: only where an address starts with OLD\n"
    u"  --locations          replace: in named locations too\n"
    u"  --dry-run            replace: show what would change and write nothing\n"
    u"  --path-style posix|windows\n"
    u"                       the path rules hyperlink targets follow (default: posix)\n"
    u"  -h, --help           show this help and exit\n"
    u"  --version            show the version and exit\n"
    u"\n"
    u"Status codes of check: ok, not-checked (a web address, without --web), missing-file,\n"
    u"missing-location, unreadable-drawing, bad-email, bad-address, http-NNN, timeout,\n"
    u"network-error.\n"
    u"\n"
    u"Output from several runs joins into one: the JSON lines of runs over parts of a list\n"
    u"of drawings (xargs -P, GNU parallel) concatenate into one valid result. Summaries and\n"
    u"errors go to standard error with --json and --csv.\n"
    u"\n"
    u"Environment:\n"
    u"  TZAD_LANG            en or zh: the language of the messages; else LC_ALL,\n"
    u"                       LC_MESSAGES or LANG decide; Chinese when none names en or zh\n"
    u"  http_proxy, https_proxy, no_proxy\n"
    u"                       the proxies web checks go through\n"
    u"  XDG_CONFIG_HOME      where tzad's settings are (ISAVEBAK)\n"
    u"\n"
    u"Exit status: 0 when all is well; 1 when check found a broken hyperlink; 2 for wrong\n"
    u"arguments, or when a drawing could not be read or saved (it is named, and the others\n"
    u"are still done).\n";

namespace {

const TextPair kTexts[] = {
    // The Hyperlinks panel.
    {u"Named location", u"命名位置"},
    {u"Object", u"对象"},
    {u"Layer", u"图层"},
    {u"Layout", u"布局"},
    {u"Area (%1 %2)", u"区域（%1 %2）"},
    {u"Search hyperlinks", u"搜索超链接"},
    {u"Check &Web Links", u"检查网址(&W)"},
    {u"&Replace...", u"替换(&R)..."},
    {u"%1 of %2 shown, %3 broken", u"显示 %1 个，共 %2 个，失效 %3 个"},
    {u"Looking up web addresses...", u"正在检查网址..."},
    {u"Checking...", u"正在检查..."},
    {u"Checking %1 of %2...", u"正在检查：%1/%2..."},
    {u"No web addresses to look up.", u"没有需要检查的网址。"},
    {u"Remove the hyperlink of %1 object?", u"是否删除 %1 个对象的超链接？"},
    {u"Remove the hyperlinks of %1 objects?", u"是否删除 %1 个对象的超链接？"},
    {u"Hyperlinks", u"超链接"},
    {u"Hyperlinks &Panel", u"超链接面板(&P)"},
    {u"&Open", u"打开(&O)"},
    {u"&Copy Hyperlink", u"复制超链接(&C)"},
    {u"&Edit Hyperlink...", u"编辑超链接(&E)..."},
    {u"Re&move Hyperlink...", u"删除超链接(&M)..."},
    {u"Open Hyperlink", u"打开超链接"},
    {u"Copy Hyperlink", u"复制超链接"},
    {u"Edit Hyperlink", u"编辑超链接"},
    {u"Remove Hyperlink", u"删除超链接"},
    {u"Replace in Hyperlinks", u"替换超链接中的文字"},
    {u"Before", u"替换前"},
    {u"After", u"替换后"},
    {u"(left as it is: longer than 255 characters)", u"（保持不变：超过 255 个字符）"},
    {u"(left as it is: on a locked layer)", u"（保持不变：位于锁定的图层上）"},
    {u"Match &case", u"区分大小写(&C)"},
    {u"Only at the &start of addresses", u"只替换地址开头(&S)"},
    {u"In named &locations too", u"同时替换命名位置(&L)"},
    {u"S&elected row (%1)", u"选定的行（%1）(&E)"},
    {u"S&elected rows (%1)", u"选定的行（%1）(&E)"},
    {u"&All rows (%1)", u"所有行（%1）(&A)"},
    {u"Replace &what:", u"查找内容(&W)："},
    {u"With &new text:", u"替换为(&N)："},
    {u"%1 of %2 hyperlinks change; %3 are left as they are.",
     u"%2 个超链接中将更改 %1 个；%3 个保持不变。"},
    {u"The Hyperlinks panel is part of tzad's window, which this session does not have.",
     u"超链接面板属于 tzad 的窗口，而此会话没有窗口。"},
    {u"The Hyperlinks panel cannot be loaded: %1", u"无法加载超链接面板：%1"},
    {u"Shows the Hyperlinks panel: every hyperlink of the drawing, checked, in a list.",
     u"显示超链接面板：列出并检查图形中的每个超链接。"},

    // HYPERLINKCHECK and -HYPERLINKREPLACE. Keyword lists keep the global keywords after "_".
    {u"\nCheck web addresses too? [Yes/No] <No>: ", u"\n是否同时检查网址？[是(Y)/否(N)] <否>: "},
    {u"Yes No _Yes No", u"是(Y) 否(N) _Yes No"},
    {u"Looking up %1 web address...", u"正在检查 %1 个网址..."},
    {u"Looking up %1 web addresses...", u"正在检查 %1 个网址..."},
    {u"The drawing has no hyperlinks.", u"图形中没有超链接。"},
    {u"%1 of %2 hyperlink is broken.", u"%2 个超链接中有 %1 个已失效。"},
    {u"%1 of %2 hyperlinks are broken.", u"%2 个超链接中有 %1 个已失效。"},
    {u"%1 web address was not looked up; answer Yes to check web addresses too.",
     u"%1 个网址未检查；回答“是”可同时检查网址。"},
    {u"%1 web addresses were not looked up; answer Yes to check web addresses too.",
     u"%1 个网址未检查；回答“是”可同时检查网址。"},
    {u"\nEnter the text to replace: ", u"\n输入要替换的文字: "},
    {u"Nothing to replace.", u"没有要替换的文字。"},
    {u"\nEnter the new text: ", u"\n输入新文字: "},
    {u"\nReplace in [All/Select objects] <All>: ", u"\n替换范围 [全部(A)/选择对象(S)] <全部>: "},
    {u"All Select _All Select", u"全部(A) 选择对象(S) _All Select"},
    {u"\nMatch case? [Yes/No] <No>: ", u"\n是否区分大小写？[是(Y)/否(N)] <否>: "},
    {u"\nReplace where [Anywhere/Start of address] <Anywhere>: ",
     u"\n替换位置 [任意位置(A)/地址开头(S)] <任意位置>: "},
    {u"Anywhere Start _Anywhere Start", u"任意位置(A) 地址开头(S) _Anywhere Start"},
    {u"\nIn named locations too? [Yes/No] <No>: ",
     u"\n是否同时替换命名位置中的文字？[是(Y)/否(N)] <否>: "},
    {u"%1 of %2 hyperlink changed.", u"%2 个超链接中已更改 %1 个。"},
    {u"%1 of %2 hyperlinks changed.", u"%2 个超链接中已更改 %1 个。"},
    {u"%1 object is on a locked layer and was left as it was.",
     u"%1 个对象位于锁定的图层上，已保持不变。"},
    {u"%1 objects are on locked layers and were left as they were.",
     u"%1 个对象位于锁定的图层上，已保持不变。"},
    {u"%1 hyperlink would be longer than 255 characters and was left as it was.",
     u"%1 个超链接替换后将超过 255 个字符，已保持不变。"},
    {u"%1 hyperlinks would be longer than 255 characters and were left as they were.",
     u"%1 个超链接替换后将超过 255 个字符，已保持不变。"},
    {u"Lists the hyperlinks that lead nowhere: missing files, views and layouts, bad addresses.",
     u"列出无法到达的超链接：缺少的文件、视图和布局，无效的地址。"},
    {u"Replaces a text in hyperlink addresses, such as a folder that moved.",
     u"替换超链接地址中的文字，例如移动过的文件夹。"},

    // What a check finds.
    {u"OK", u"正常"},
    {u"Not checked", u"未检查"},
    {u"Missing file", u"文件不存在"},
    {u"Missing location", u"位置不存在"},
    {u"Unreadable drawing", u"图形无法读取"},
    {u"Bad e-mail address", u"电子邮件地址无效"},
    {u"Bad address", u"地址无效"},
    {u"HTTP %1", u"HTTP %1"},
    {u"Timed out", u"超时"},
    {u"Network error", u"网络错误"},
    {u"this drawing", u"当前图形"},
    {u"The view \"%1\" is not in %2.", u"%2 中没有视图“%1”。"},
    {u"The layout \"%1\" is not in %2.", u"%2 中没有布局“%1”。"},
    {u"The address holds a control character.", u"地址中含有控制字符。"},
    {u"A drawing opens from a file; there is none at a web address.",
     u"图形只能从文件打开，网址上没有图形文件。"},
    {u"A Windows path, which is not on this computer: %1", u"Windows 路径，在此计算机上不存在：%1"},
    {u"The drawing does not exist: %1", u"图形不存在：%1"},
    {u"The drawing cannot be read: %1", u"无法读取图形：%1"},
    {u"its layouts cannot be listed.", u"无法列出其布局。"},
    {u"The file does not exist: %1", u"文件不存在：%1"},
    {u"The address names a file on another computer.", u"该地址指向另一台计算机上的文件。"},
    {u"Web addresses are checked only when asked.", u"只有在要求时才检查网址。"},
    {u"Only http, https and ftp addresses are looked up.", u"只检查 http、https 和 ftp 地址。"},
    {u"\"%1\" is not an e-mail address.", u"“%1”不是电子邮件地址。"},
    {u"The link names no e-mail address.", u"该链接没有指定电子邮件地址。"},
    {u"A web address cannot hold a blank.", u"网址中不能有空格。"},
    {u"The web address has no host name.", u"网址中没有主机名。"},
    {u"The web address has a port that is not a number from 1 to 65535.",
     u"网址中的端口不是 1 到 65535 之间的数字。"},
    {u"\"%1\" is not a host name.", u"“%1”不是主机名。"},
    {u"Web addresses cannot be looked up: %1", u"无法检查网址：%1"},
    {u"The server answered with status %1.", u"服务器返回状态 %1。"},
    {u"Moved to %1", u"已移至 %1"},
    {u"No answer within %1 s.", u"%1 秒内没有响应。"},
    {u"No answer within %1 ms.", u"%1 毫秒内没有响应。"},
    {u"The network library could not be started.", u"无法启动网络库。"},
    {u"The network library failed.", u"网络库出错。"},
    {u"The address could not be looked up.", u"无法检查该地址。"},
    {u"The host name is not known.", u"无法解析主机名。"},
    {u"The proxy's host name is not known.", u"无法解析代理服务器的主机名。"},
    {u"The server did not take the connection.", u"服务器未接受连接。"},
    {u"The address redirects too many times.", u"该地址重定向次数过多。"},
    {u"The address redirects to one that is not looked up.", u"该地址重定向到不检查的地址。"},
    {u"The server's certificate is not trusted: %1", u"服务器的证书不受信任：%1"},

    // tzlinks.
    {u"File", u"文件"},
    {u"Handle", u"句柄"},
    {u"Address", u"地址"},
    {u"Location", u"位置"},
    {u"Description", u"说明"},
    {u"Status", u"状态"},
    {u"Detail", u"详情"},
    {u"New address", u"新地址"},
    {u"New location", u"新位置"},
    {u"%1: there is no such file or folder.", u"%1：没有这个文件或文件夹。"},
    {u"%1: cannot be read: %2", u"%1：无法读取：%2"},
    {u"%1 hyperlink; drawings read: %2.", u"%1 个超链接；已读取的图形：%2 个。"},
    {u"%1 hyperlinks; drawings read: %2.", u"%1 个超链接；已读取的图形：%2 个。"},
    {u"%1 web address was not looked up; --web looks it up.",
     u"%1 个网址未检查；使用 --web 可检查网址。"},
    {u"%1 web addresses were not looked up; --web looks them up.",
     u"%1 个网址未检查；使用 --web 可检查网址。"},
    {u"%1 hyperlink would change; drawings it is in: %2. Nothing was written.",
     u"将更改 %1 个超链接，位于 %2 个图形中。未写入任何文件。"},
    {u"%1 hyperlinks would change; drawings they are in: %2. Nothing was written.",
     u"将更改 %1 个超链接，位于 %2 个图形中。未写入任何文件。"},
    {u"%1 hyperlink changed; drawings saved: %2.", u"已更改 %1 个超链接；已保存的图形：%2 个。"},
    {u"%1 hyperlinks changed; drawings saved: %2.", u"已更改 %1 个超链接；已保存的图形：%2 个。"},
    {u"%1 object did not take its new hyperlink.", u"%1 个对象未能接受新的超链接。"},
    {u"%1 objects did not take their new hyperlinks.", u"%1 个对象未能接受新的超链接。"},
    {u"Try 'tzlinks --help' for more information.", u"运行“tzlinks --help”了解详情。"},
    {u"Name an action: list, check or replace.", u"请指定操作：list、check 或 replace。"},
    {u"\"%1\" is no action: list, check or replace.",
     u"“%1”不是操作：请用 list、check 或 replace。"},
    {u"Unknown option %1.", u"未知选项 %1。"},
    {u"%1 is an option of tzlinks %2.", u"%1 是 tzlinks %2 的选项。"},
    {u"%1 needs a value.", u"%1 需要一个值。"},
    {u"%1 takes no value.", u"%1 不带值。"},
    {u"--json and --csv cannot be given together.", u"--json 和 --csv 不能同时使用。"},
    {u"--path-style takes posix or windows.", u"--path-style 只能是 posix 或 windows。"},
    {u"--timeout takes a number of seconds (at most 3600).", u"--timeout 需要秒数（最多 3600）。"},
    {u"--jobs takes a whole number from 1 to 64.", u"--jobs 需要 1 到 64 之间的整数。"},
    {u"tzlinks replace needs the old text and the new text.",
     u"tzlinks replace 需要旧文字和新文字。"},
    {u"The old text cannot be empty.", u"要替换的文字不能为空。"},
    {u"Name the drawings or folders to read.", u"请指定要读取的图形或文件夹。"},
    {kTzlinksHelp,
     u"用法: tzlinks list [选项]... 路径...\n"
     u"      tzlinks check [--web] [--timeout 秒数] [--jobs N] [选项]... 路径...\n"
     u"      tzlinks replace [--match-case] [--prefix] [--locations] [--dry-run]\n"
     u"                      [选项]... 旧文字 新文字 路径...\n"
     u"      tzlinks --help | --version\n"
     u"\n"
     u"一次列出、检查和重新链接多个图形的超链接。每个路径是一个图形，或一个文件夹：\n"
     u"读取其中（包括子文件夹中）的 .dxf 图形。每个带链接的对象列出一个超链接，即其他\n"
     u"DXF 程序读取的那一个。\n"
     u"\n"
     u"操作:\n"
     u"  list                 列出每个图形的每个超链接\n"
     u"  check                像 HYPERLINKCHECK 一样检查每个超链接：按 HYPERLINKOPEN 的\n"
     u"                       解析方式（超链接基础、图形所在文件夹）查找文件和图形，在所指\n"
     u"                       图形中查找命名视图和布局，检查电子邮件地址和 URL 的写法；\n"
     u"                       表格中只显示失效的超链接\n"
     u"  replace 旧文字 新文字\n"
     u"                       把超链接地址中的旧文字替换为新文字，并像 SAVE 一样保存每个\n"
     u"                       更改过的图形，旧图形保留为 名称.bak（除非 ISAVEBAK 为 0）\n"
     u"\n"
     u"选项:\n"
     u"  --json               每个超链接一行 JSON 对象，键为 file、handle、address、\n"
     u"                       location 和 description；check 另有 status 和 detail，\n"
     u"                       replace 另有 new_address 和 new_location\n"
     u"  --csv                以逗号分隔的相同各列，带标题行\n"
     u"  --web                check：同时检查网址（先 HTTP HEAD，再 GET），多个同时进行，\n"
     u"                       经由环境变量指定的代理\n"
     u"  --timeout 秒数       check：每个网址的最长等待时间（默认 10）\n"
     u"  --jobs N             check：同时检查的网址数（默认 8）\n"
     u"  --match-case         replace：区分大小写（默认不区分）\n"
     u"  --prefix             replace：只替换地址开头的旧文字\n"
     u"  --locations          replace：同时替换命名位置中的文字\n"
     u"  --dry-run            replace：只显示将要进行的更改，不写入任何文件\n"
     u"  --path-style posix|windows\n"
     u"                       超链接目标采用的路径规则（默认 posix）\n"
     u"  -h, --help           显示此帮助并退出\n"
     u"  --version            显示版本并退出\n"
     u"\n"
     u"check 的状态代码：ok、not-checked（未使用 --web 时的网址）、missing-file、\n"
     u"missing-location、unreadable-drawing、bad-email、bad-address、http-NNN、timeout、\n"
     u"network-error。\n"
     u"\n"
     u"多次运行的输出可以合并：对图形列表的各部分分别运行（xargs -P、GNU parallel）所得的\n"
     u"JSON 行连接起来就是一个有效的结果。使用 --json 和 --csv 时，摘要和错误写到标准错误。\n"
     u"\n"
     u"环境变量:\n"
     u"  TZAD_LANG            en 或 zh：消息的语言；否则由 LC_ALL、LC_MESSAGES 或 LANG 决定；\n"
     u"                       都不是 en 或 zh 时使用中文\n"
     u"  http_proxy, https_proxy, no_proxy\n"
     u"                       检查网址时使用的代理\n"
     u"  XDG_CONFIG_HOME      tzad 的设置（ISAVEBAK）所在位置\n"
     u"\n"
     u"退出状态：一切正常时为 0；check 发现失效的超链接时为 1；参数错误，或有图形无法读取\n"
     u"或保存时为 2（会指出该图形，其余图形照常处理）。\n"},
};

const std::unordered_map<std::u16string_view, std::u16string_view>& chineseTexts() {
  static const std::unordered_map<std::u16string_view, std::u16string_view> texts = [] {
    std::unordered_map<std::u16string_view, std::u16string_view> map;
    for (const TextPair& pair : kTexts) map.emplace(pair.english, pair.chinese);
    return map;
  }();
  return texts;
}

std::u16string_view translated(std::u16string_view english) {
  if (std::string_view(tzutLanguage()) != "zh") return english;
  auto found = chineseTexts().find(english);
  return found == chineseTexts().end() ? english : found->second;
}

TzString filledIn(std::u16string_view text, std::initializer_list<std::u16string_view> args) {
  TzString out;
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t next = i + 1 < text.size() ? text[i + 1] : 0;
    if (text[i] == u'%' && next == u'%') {
      out += u'%';
      ++i;
    } else if (text[i] == u'%' && next >= u'1' && next <= u'9' &&
               static_cast<size_t>(next - u'1') < args.size()) {
      out += *(args.begin() + (next - u'1'));
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

TzString linkText(std::u16string_view english, std::initializer_list<std::u16string_view> args) {
  return filledIn(translated(english), args);
}

TzString countText(int n, std::u16string_view singular, std::u16string_view plural,
                   std::initializer_list<std::u16string_view> args) {
  return linkText(n == 1 ? singular : plural, args);
}

TzString numberText(long long n) {
  return tzutFromUtf8(std::to_string(n));
}

std::span<const TextPair> linkTextTable() {
  return kTexts;
}

}  // namespace linktools
