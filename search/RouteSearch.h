// The searches a traveller runs on the route table: the lines through a stop, the records of a line
// number and the direct lines between two stops. Each runs its statement on the query it is given
// (the grid's), leaves that query open on the whole result in the order the database gives it, and
// returns the status text to show.
//
// How a field matches the typed text:
//   fuzzy  the field contains the text;
//   exact  the field equals the text as a whole.
// In both modes ASCII letters match either case ("k2" finds line "K2", "Xi" finds "xi'an") and
// every other character only itself, as the route database has always compared text. The text is
// used as typed (no trimming) and reaches the database only as bound parameters: an apostrophe,
// '%', '_' or '\' is searched for as the character it is and never makes a statement fail.
//
// How the main window's handlers use this (the window keeps its own steps):
//   Edit3KeyPress on Enter:  hide Panel4; status = StopSearch(qry, Edit3 text, mode);
//                            status panel 1 = status; select all of Edit3's text.
//   Edit4KeyPress on Enter:  hide Panel4; status panel 1 = LineSearch(qry, Edit4 text, mode);
//                            select all of Edit4's text.
//   Button1Click:            hide Panel4; direct = TwoStopSearch(qry, edtFrom, edtTo, mode);
//                            if direct.count != 0: status panel 1 = direct.statusText, select all
//                            of edtTo's text; otherwise ask kNoDirectLineQuestion (caption
//                            kQuestionCaption, OK and Cancel) and on OK run SearchTransferPlans
//                            (TransferPlans.h) on Qrytmp.
// An error of the database (DatabaseError) leaves the handler before any of its later steps.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bus::db {
class Connection;
class Query;
}  // namespace bus::db

namespace bus::search {

// CheckBox1 ("模糊查询"): checked is Fuzzy.
enum class MatchMode { Exact, Fuzzy };

// The question the two-stop search asks when no line serves both stops, and its box's caption.
inline constexpr std::string_view kNoDirectLineQuestion = "没有直达公交车，是否查询换乘公交车?";
inline constexpr std::string_view kQuestionCaption = "Zelvo软件提示";

// A where-condition and the texts bound to its '?' placeholders, in order.
struct Condition {
  std::string text;                     // SQL, user text never in it
  std::vector<std::string> parameters;  // one per '?', bound as text
};

// The field names of table way in table order, as "select * from way" reports them; learnt from
// the statement without fetching the table.
std::vector<std::string> RouteFieldNames(const db::Connection& connection);

// The all-field condition: one term per field, in the order given, joined by " or ", so a record
// matches when any of its fields (the key and the line number included) matches text.
Condition AllFieldCondition(const std::vector<std::string>& fieldNames, std::string_view text, MatchMode mode);

// Runs "select * from way where  " (two blanks) + the all-field condition of text on query: the
// statement of the stop search, which the plan search runs too.
void RunAllFieldSearch(db::Query& query, std::string_view text, MatchMode mode);

// RunAllFieldSearch on qry. Returns "查询结果：经过 <text> 的公交车有：<count>辆".
std::string StopSearch(db::Query& qry, std::string_view text, MatchMode mode);

// Runs the line-number search of text on qry. Returns the status text it leaves, always empty.
std::string LineSearch(db::Query& qry, std::string_view text, MatchMode mode);

// The direct result of a two-stop search.
struct DirectLines {
  int count = 0;           // records serving both texts
  std::string statusText;  // "查询结果：从 <from> 到 <to> 的公交车有：<count>辆"; the window shows it
                           // only when count != 0 and otherwise keeps its previous status
};

// Runs "select * from way where  (" + condition of from + ") and (" + condition of to + ")" on qry:
// every record in which some field matches from and some field matches to.
DirectLines TwoStopSearch(db::Query& qry, std::string_view from, std::string_view to, MatchMode mode);

}  // namespace bus::search
