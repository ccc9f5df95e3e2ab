#include "editor/completion_words.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "base/text_case.h"

namespace bw {
namespace {

// Keywords; ACTION values; general functions and system values; record functions and
// properties; forms (CurrForm); reports (CurrReport); dataports and files (CurrDataport,
// CurrFile); XMLports.
constexpr std::string_view kKeywords[] = {
    "K,IF", "K,THEN", "K,ELSE", "K,BEGIN", "K,END", "K,WHILE", "K,DO", "K,REPEAT", "K,UNTIL", "K,FOR", "K,TO",
    "K,WITH", "K,OR", "K,AND", "K,NOT", "K,OF", "K,CASE", "K,TRUE", "K,FALSE"};

constexpr std::string_view kActionValues[] = {
    "P,ACTION::OK", "P,ACTION::Cancel", "P,ACTION::LookupOK", "P,ACTION::LookupCancel", "P,ACTION::Yes",
    "P,ACTION::No", "P,ACTION::Close", "P,ACTION::Help", "P,ACTION::Stop"};

constexpr std::string_view kGeneral[] = {
    "M,STRSUBSTNO", "M,STRPOS", "M,STRLEN", "M,INCSTR", "M,COPYSTR", "M,MAXSTRLEN", "M,PADSTR", "M,DELCHR",
    "M,STRCHECKSUM", "M,CONVERTSTR", "M,LOWERCASE", "M,UPPERCASE", "M,SELECTSTR", "M,DELSTR", "M,INSSTR",
    "M,ROUND", "M,ABS", "M,POWER", "M,RANDOMIZE", "M,RANDOM", "P,TODAY", "P,TIME", "P,WORKDATE", "M,CALCDATE",
    "M,NORMALDATE", "M,CLOSINGDATE", "M,DATE2DMY", "M,DATE2DWY", "M,DMY2DATE", "M,DWY2DATE", "M,DATI2VARIANT",
    "M,VARIANT2DATE", "M,VARIANT2TIME", "P,CURRENTDATETIME", "M,ROUNDDATETIME", "M,CREATEDATETIME",
    "M,DT2DATE", "M,DT2TIME", "P,COMMANDLINE", "M,ENVIRON", "P,OSVERSION", "M,SHELL", "M,HYPERLINK", "M,SLEEP",
    "P,GUIALLOWED", "P,CONTEXTURL", "M,ARRAYLEN", "M,COMPRESSARRAY", "M,COPYARRAY", "M,CLEAR", "M,CLEARALL",
    "M,CREATE", "M,EVALUATE", "M,FORMAT", "M,VARIABLEACTIVE", "M,ISCLEAR", "M,COPYSTREAM", "M,CREATEGUID",
    "M,ISNULLGUID", "P,WINDOWSLANGUAGE", "P,GLOBALLANGUAGE", "P,CODECOVERAGELOG", "M,ERASE", "M,RENAME",
    "M,COPY", "M,GETSTAMP", "M,SETSTAMP", "M,EXISTS", "M,ERROR", "M,MESSAGE", "M,CONFIRM", "M,STRMENU",
    "M,YIELD", "M,BEEP", "M,RUN", "M,RUNMODAL", "P,USERID", "P,COMPANYNAME", "M,COMMIT", "P,SERIALNUMBER",
    "M,CHECKLICENSEFILE", "M,SELECTLATESTVERSION", "P,CURRENTTRANSACTIONTYPE", "P,LOCKTIMEOUT", "M,SAVEASHTML",
    "M,SAVEASXML", "M,IMPORT", "M,EXPORT"};

constexpr std::string_view kRecord[] = {
    "M,FINDFIRST", "M,FINDLAST", "M,FINDSET", "M,GET", "M,FIND", "M,NEXT", "M,RESET", "M,SETCURRENTKEY",
    "P,ASCENDING", "M,LOCKTABLE", "M,CALCFIELDS", "M,CALCSUMS", "P,COUNT", "P,ISEMPTY", "P,COUNTAPPROX",
    "P,TABLENAME", "P,TABLECAPTION", "M,CHANGECOMPANY", "P,CURRENTKEY", "M,CONSISTENT", "M,GETPOSITION",
    "M,SETPOSITION", "M,INIT", "M,INSERT", "M,MODIFY", "M,DELETE", "M,RENAME", "M,MODIFYALL", "M,DELETEALL",
    "P,READPERMISSION", "P,WRITEPERMISSION", "P,READCONSISTENCY", "P,RECORDLEVELLOCKING", "M,COPY",
    "M,SETRANGE", "M,SETFILTER", "M,GETFILTER", "M,GETFILTERS", "M,GETVIEW", "M,SETVIEW", "M,GETRANGEMIN",
    "M,GETRANGEMAX", "M,COPYFILTER", "M,COPYFILTERS", "P,HASFILTER", "M,SETRECFILTER", "P,FILTERGROUP",
    "M,SETPERMISSIONFILTER", "P,MARK", "M,CLEARMARKS", "P,MARKEDONLY", "M,VALIDATE", "M,TESTFIELD",
    "M,FIELDERROR", "M,TRANSFERFIELDS", "M,FIELDNAME", "M,FIELDCAPTION", "M,FIELDACTIVE", "M,FIELDNO",
    "M,RELATION"};

constexpr std::string_view kForm[] = {
    "P,CurrForm", "M,SAVERECORD", "M,UPDATE", "M,UPDATECONTROLS", "M,SETSELECTIONFILTER", "P,ACTIVE",
    "M,ACTIVATE", "M,CLOSE", "M,RUN", "M,RUNMODAL", "M,UPDATECONTROLS", "M,GETRECORD", "M,SETRECORD",
    "M,SETTABLEVIEW", "P,XPOS", "P,YPOS", "P,WIDTH", "P,HEIGHT", "P,LOGWIDTH", "P,LOGHEIGHT", "P,EDITABLE",
    "P,VISIBLE", "P,CAPTION", "P,MINIMIZEDONOPEN", "P,MAXIMIZEDONOPEN", "P,INLINEEDITING", "P,LOOKUPMODE",
    "P,LANGUAGE", "P,URL", "P,OBJECTID"};

constexpr std::string_view kReport[] = {
    "P,CurrReport", "M,SKIP", "M,BREAK", "M,CREATETOTALS", "M,TOTALSCAUSEDBY", "M,SHOWOUTPUT", "P,PAGENO",
    "M,NEWPAGE", "M,QUIT", "M,PREVIEW", "M,SAVEASHTML", "M,SAVEASXML", "M,PAPERSOURCE", "M,SETTABLEVIEW",
    "P,PRINTONLYIFDETAIL", "P,NEWPAGEPERRECORD", "P,USEREQUESTFORM", "P,LANGUAGE", "P,URL", "P,OBJECTID"};

constexpr std::string_view kDataportFile[] = {
    "P,CurrDataport", "M,BREAK", "M,SKIP", "M,QUIT", "P,CurrFile", "M,OPEN", "M,CREATE", "M,CLOSE", "P,NAME",
    "P,POS", "P,LEN", "M,READ", "M,WRITE", "M,SEEK", "M,TRUNC", "P,WRITEMODE", "P,TEXTMODE", "P,QUERYREPLACE",
    "M,CREATEINSTREAM", "M,CREATEOUTSTREAM", "P,CREATETEMPFILE", "M,SETTABLEVIEW", "P,IMPORT", "P,FILENAME",
    "P,LANGUAGE"};

constexpr std::string_view kXmlPort[] = {
    "M,SETTABLEVIEW", "M,SETSOURCE", "M,SETRESPONSE", "M,GETRESPONSE", "M,IMPORT", "M,SETDESTINATION",
    "M,EXPORT"};

constexpr std::array<std::span<const std::string_view>, kCompletionListCount> kLists{
    kKeywords, kActionValues, kGeneral, kRecord, kForm, kReport, kDataportFile, kXmlPort};

bool SameNoCase(std::string_view a, std::string_view b) { return CompareNoCase(a, b) == 0; }

struct Entries {
  std::vector<std::string_view> texts;  // "kind,word", sorted
  std::vector<CompletionEntry> sorted;
  std::vector<CompletionEntry> rows;
};

const Entries& Build() {
  static const Entries built = [] {
    Entries entries;
    for (const auto list : kLists) {
      for (const std::string_view text : list) {
        const auto sameText = [&](std::string_view present) { return SameNoCase(present, text); };
        if (std::none_of(entries.texts.begin(), entries.texts.end(), sameText)) entries.texts.push_back(text);
      }
    }
    std::stable_sort(entries.texts.begin(), entries.texts.end(),
                     [](std::string_view a, std::string_view b) { return CompareNoCase(a, b) < 0; });
    for (const std::string_view text : entries.texts)
      entries.sorted.push_back({static_cast<WordKind>(text[0]), text.substr(2)});
    entries.rows = entries.sorted;
    std::stable_sort(entries.rows.begin(), entries.rows.end(),
                     [](const CompletionEntry& a, const CompletionEntry& b) { return CompareNoCase(a.word, b.word) < 0; });
    return entries;
  }();
  return built;
}

}  // namespace

int CompareNoCase(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const char x = UpperAscii(a[i]);
    const char y = UpperAscii(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::span<const std::string_view> CompletionSourceLists(std::size_t list) {
  return list < kLists.size() ? kLists[list] : std::span<const std::string_view>{};
}

std::span<const CompletionEntry> CompletionWords() { return Build().sorted; }

std::span<const CompletionEntry> CompletionRowsInOrder() { return Build().rows; }

}  // namespace bw
