#include "search/TransferPlans.h"

#include <deque>
#include <unordered_map>

#include "db/Query.h"

namespace bus::search {

namespace {

// Field positions in a record of table way: the line number, then the stops in running order.
constexpr int kLineField = 1;
constexpr int kFirstStopField = 2;

// The start side of a plan search: each start record's line number and its distinct stops (in
// running order, a repeated stop kept where it first appears), each stop as a number that names it.
class StartRecords {
public:
  // Copies every record of the open query.
  explicit StartRecords(db::Query& query) {
    const int fields = query.FieldCount();
    lines_.reserve(size_t(query.RecordCount()));
    firstStop_.reserve(size_t(query.RecordCount()) + 1);
    query.First();
    for (int r = 0; r < query.RecordCount(); ++r, query.Next()) {
      lines_.emplace_back(query.Value(kLineField));
      firstStop_.push_back(stops_.size());
      for (int f = kFirstStopField; f < fields; ++f) {
        const std::string_view name = query.Value(f);
        if (name.empty()) continue;
        const int id = Intern(name);
        if (lastRecord_[size_t(id)] == r) continue;  // the record named this stop before
        lastRecord_[size_t(id)] = r;
        stops_.push_back(id);
      }
    }
    firstStop_.push_back(stops_.size());
  }

  int RecordCount() const noexcept { return int(lines_.size()); }
  const std::string& Line(int record) const { return lines_[size_t(record)]; }
  // The stop numbers of a record: [Begin(record), End(record)).
  const int* Begin(int record) const { return stops_.data() + firstStop_[size_t(record)]; }
  const int* End(int record) const { return stops_.data() + firstStop_[size_t(record) + 1]; }

  int StopCount() const noexcept { return int(names_.size()); }
  const std::string& StopName(int id) const { return names_[size_t(id)]; }
  // The number of a stop name, or -1 when no start record serves it.
  int Find(std::string_view name) const {
    const auto it = ids_.find(name);
    return it == ids_.end() ? -1 : it->second;
  }

private:
  int Intern(std::string_view name) {
    if (const auto it = ids_.find(name); it != ids_.end()) return it->second;
    const int id = int(names_.size());
    names_.emplace_back(name);
    ids_.emplace(names_.back(), id);
    lastRecord_.push_back(-1);
    return id;
  }

  std::vector<std::string> lines_;                  // line number of each record
  std::vector<int> stops_;                          // distinct stops of every record, back to back
  std::vector<size_t> firstStop_;                   // where each record's stops start in stops_
  std::deque<std::string> names_;                   // stop names by number (stable for ids_)
  std::unordered_map<std::string_view, int> ids_;   // stop name -> number
  std::vector<int> lastRecord_;                     // the record that last named each stop
};

// The destination side: for every stop a start record serves, the destination records that serve
// it too, ascending; and each destination record's line number.
class DestinationRecords {
public:
  DestinationRecords(db::Query& query, const StartRecords& start)
      : serving_(size_t(start.StopCount())), lastRecord_(size_t(start.StopCount()), -1) {
    const int fields = query.FieldCount();
    lines_.reserve(size_t(query.RecordCount()));
    query.First();
    for (int r = 0; r < query.RecordCount(); ++r, query.Next()) {
      lines_.emplace_back(query.Value(kLineField));
      for (int f = kFirstStopField; f < fields; ++f) {
        const std::string_view name = query.Value(f);
        if (name.empty()) continue;
        const int id = start.Find(name);
        if (id < 0 || lastRecord_[size_t(id)] == r) continue;
        lastRecord_[size_t(id)] = r;
        serving_[size_t(id)].push_back(r);
      }
    }
  }

  const std::string& Line(int record) const { return lines_[size_t(record)]; }
  const std::vector<int>& Serving(int stop) const { return serving_[size_t(stop)]; }

private:
  std::vector<std::string> lines_;         // line number of each record
  std::vector<std::vector<int>> serving_;  // by start stop number: destination records through it
  std::vector<int> lastRecord_;            // the record that last named each stop
};

}  // namespace

std::string PlanSentence(long long number, std::string_view from, std::string_view firstLine,
                         std::string_view changeStop, std::string_view secondLine, std::string_view to) {
  std::string s;
  s.reserve(96 + from.size() + firstLine.size() + changeStop.size() + secondLine.size() + to.size());
  s.append("方案").append(std::to_string(number)).append(" 出发站点 ").append(from);
  s.append(" 乘坐 ").append(firstLine).append(" 路到 ").append(changeStop).append(" 站下车，");
  s.append("再乘坐 ").append(secondLine).append(" 路到").append(to).append(" 站点下车 ");
  return s;
}

TransferPlans FindTransferPlans(db::Query& qrytmp, std::string_view from, std::string_view to, MatchMode mode) {
  RunAllFieldSearch(qrytmp, from, mode);
  const StartRecords start(qrytmp);
  RunAllFieldSearch(qrytmp, to, mode);
  const DestinationRecords destination(qrytmp, start);

  TransferPlans plans;
  for (int fr = 0; fr < start.RecordCount(); ++fr) {
    for (const int* stop = start.Begin(fr); stop != start.End(fr); ++stop) {
      const std::vector<int>& serving = destination.Serving(*stop);
      plans.count += (long long)serving.size();
      for (size_t i = 0; i < serving.size() && (long long)plans.sentences.size() < kMaxListedPlans; ++i) {
        plans.sentences.push_back(PlanSentence((long long)plans.sentences.size() + 1, from, start.Line(fr),
                                               start.StopName(*stop), destination.Line(serving[i]), to));
      }
    }
  }
  plans.statusText = "查询结果：从 ";
  plans.statusText.append(from).append(" 到 ").append(to).append(" 站点的方案，有：");
  plans.statusText.append(std::to_string(plans.count)).append("种");
  return plans;
}

}  // namespace bus::search
