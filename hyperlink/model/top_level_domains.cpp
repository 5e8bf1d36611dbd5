#include "model/link_targets.h"

namespace hyperlink {

const std::array<std::u16string_view, 240>& topLevelDomains() {
  static constexpr std::array<std::u16string_view, 240> kDomains = {
      u"biz", u"info", u"name", u"com", u"net", u"org", u"gov", u"ad", u"ae", u"af", u"ag", u"ai",
      u"al",  u"am",   u"an",   u"ao",  u"aq",  u"ar",  u"as",  u"at", u"au", u"aw", u"az", u"ba",
      u"bb",  u"bd",   u"be",   u"bf",  u"bg",  u"bh",  u"bi",  u"bj", u"bm", u"bn", u"bo", u"br",
      u"bs",  u"bt",   u"bv",   u"bw",  u"by",  u"bz",  u"ca",  u"cc", u"cf", u"cg", u"ch", u"ci",
      u"ck",  u"cl",   u"cm",   u"cn",  u"co",  u"cq",  u"cr",  u"cu", u"cv", u"cx", u"cy", u"cz",
      u"de",  u"dj",   u"dk",   u"dm",  u"do",  u"dz",  u"ec",  u"ee", u"eg", u"eh", u"es", u"et",
      u"ev",  u"fi",   u"fj",   u"fk",  u"fm",  u"fo",  u"fr",  u"ga", u"gb", u"gd", u"ge", u"gf",
      u"gh",  u"gi",   u"gl",   u"gm",  u"gn",  u"gp",  u"gr",  u"gt", u"gu", u"gw", u"gy", u"hk",
      u"hm",  u"hn",   u"hr",   u"ht",  u"hu",  u"id",  u"ie",  u"il", u"in", u"io", u"iq", u"ir",
      u"is",  u"it",   u"jm",   u"jo",  u"jp",  u"ke",  u"kg",  u"kh", u"ki", u"km", u"kn", u"kp",
      u"kr",  u"kw",   u"ky",   u"kz",  u"la",  u"lb",  u"lc",  u"li", u"lk", u"lr", u"ls", u"lt",
      u"lu",  u"lv",   u"ly",   u"ma",  u"mc",  u"md",  u"mg",  u"mh", u"ml", u"mm", u"mn", u"mo",
      u"mp",  u"mq",   u"mr",   u"ms",  u"mt",  u"mv",  u"mw",  u"mx", u"my", u"mz", u"na", u"nc",
      u"ne",  u"nf",   u"ng",   u"ni",  u"nl",  u"no",  u"np",  u"nr", u"nt", u"nu", u"nz", u"om",
      u"qa",  u"pa",   u"pe",   u"pf",  u"pg",  u"ph",  u"pk",  u"pl", u"pm", u"pn", u"pr", u"pt",
      u"pw",  u"py",   u"re",   u"ro",  u"ru",  u"rw",  u"sa",  u"sb", u"sc", u"sd", u"se", u"sg",
      u"sh",  u"si",   u"sj",   u"sk",  u"sl",  u"sm",  u"sn",  u"so", u"sr", u"st", u"su", u"sy",
      u"sz",  u"tc",   u"td",   u"tf",  u"tg",  u"th",  u"tj",  u"tk", u"tm", u"tn", u"to", u"tp",
      u"tr",  u"tt",   u"tv",   u"tw",  u"tz",  u"ua",  u"ug",  u"uk", u"us", u"uy", u"va", u"vc",
      u"ve",  u"vg",   u"vn",   u"vu",  u"wf",  u"ws",  u"ye",  u"yu", u"za", u"zm", u"zr", u"zw"};
  return kDomains;
}

}  // namespace hyperlink
