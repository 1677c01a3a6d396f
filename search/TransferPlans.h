// Journeys with one change of buses between two typed stops, for when no line serves both.
//
// The lines found for the start text (the stop search's records for it) and those found for the
// destination text are paired at every stop they share: a plan is one start record, one shared stop
// and one destination record. Only stop fields count, and a stop is shared when its whole name is
// the same (same bytes). A record that names a stop twice (a circular line) still gives one plan per
// pairing. Plans are numbered 1, 2, 3 ... by start record (result order), then the start record's
// stops in running order, then destination record (result order).
//
// The main window's SearchTransferPlans: plans = FindTransferPlans(Qrytmp, edtFrom text, edtTo text,
// mode); Memo1's lines = plans.sentences; Panel4 moved to left 5, top 0 and shown; status panel 1 =
// plans.statusText. A DatabaseError leaves it before the panel is shown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "search/RouteSearch.h"

namespace bus::db {
class Query;
}

namespace bus::search {

// At most this many plan sentences are made; the count and the status text still report every
// plan. One-letter texts on a large city pair hundreds of thousands of records, more than anybody
// reads and more memory than is sensible to hold.
inline constexpr long long kMaxListedPlans = 10000;

struct TransferPlans {
  long long count = 0;                 // every plan found
  std::vector<std::string> sentences;  // the first min(count, kMaxListedPlans) plans, in order
  std::string statusText;              // "查询结果：从 <from> 到 <to> 站点的方案，有：<count>种"
};

// One change of buses from line firstLine to line secondLine at changeStop, numbered number:
// "方案<number> 出发站点 <from> 乘坐 <firstLine> 路到 <changeStop> 站下车，再乘坐 <secondLine> 路到<to> 站点下车 "
// (ending in a blank).
std::string PlanSentence(long long number, std::string_view from, std::string_view firstLine,
                         std::string_view changeStop, std::string_view secondLine, std::string_view to);

// Runs the stop search of from and then of to on qrytmp (left open on the destination's records)
// and pairs their records. Throws DatabaseError when a statement fails.
TransferPlans FindTransferPlans(db::Query& qrytmp, std::string_view from, std::string_view to, MatchMode mode);

}  // namespace bus::search
