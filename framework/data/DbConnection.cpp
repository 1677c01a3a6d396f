#include "framework/data/DbConnection.h"

#include <algorithm>

#include "framework/Properties.h"
#include "framework/data/DbQuery.h"

namespace bus {

const TClassInfo& TDbConnection::StaticClassInfo() {
  static const TIdentList kModes{"cmUnknown", "cmRead", "cmWrite", "cmReadWrite", "cmShareDenyRead",
                                 "cmShareDenyWrite", "cmShareExclusive", "cmShareDenyNone"};
  static const TClassInfo info =
      TClassBuilder<TDbConnection>("TDbConnection", TComponent::StaticClassInfo())
          .Creatable()
          .Text("ConnectionString", &TDbConnection::ConnectionString, &TDbConnection::SetConnectionString)
          .Bool("LoginPrompt", &TDbConnection::LoginPrompt, &TDbConnection::SetLoginPrompt, true)
          .Enum("Mode", &TDbConnection::Mode, &TDbConnection::SetMode, kModes, TConnectMode::cmUnknown)
          .Bool("Connected", &TDbConnection::Connected, &TDbConnection::SetConnected, false)
          .Build();
  return info;
}

void TDbConnection::SetConnected(bool connected) {
  if (Loading()) {
    streamedConnected_ = connected;
    return;
  }
  if (connected) {
    if (Connected()) return;
    connection_.Open(connectionString_);
  } else {
    for (TDbQuery* q : std::vector<TDbQuery*>(queries_)) q->Close();
    connection_.Close();
  }
}

void TDbConnection::Loaded() {
  TComponent::Loaded();
  if (streamedConnected_) SetConnected(true);
}

void TDbConnection::AttachQuery(TDbQuery* query) {
  if (std::find(queries_.begin(), queries_.end(), query) == queries_.end()) queries_.push_back(query);
}

void TDbConnection::DetachQuery(TDbQuery* query) { std::erase(queries_, query); }

void TDbConnection::BeforeDestruction() {
  SetConnected(false);
  for (TDbQuery* q : std::vector<TDbQuery*>(queries_)) q->SetConnection(nullptr);
  TComponent::BeforeDestruction();
}

}  // namespace bus
