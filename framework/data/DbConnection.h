// The connection component (ADOConnection1): a connection string, the provider settings the form
// description stores, and the route database connection behind it. Open() throws on any failure;
// the connection closes its queries when it closes and when it is freed.
//
// Stored only, the behaviour being fixed: LoginPrompt (there is never a prompt), Mode (the file is
// always opened for shared use).
#pragma once

#include <string>
#include <vector>

#include "db/Connection.h"
#include "framework/Component.h"

namespace bus {

class TDbQuery;

enum class TConnectMode { cmUnknown, cmRead, cmWrite, cmReadWrite, cmShareDenyRead, cmShareDenyWrite,
                          cmShareExclusive, cmShareDenyNone };

class TDbConnection : public TComponent {
  BUS_CLASS(TDbConnection)
public:
  explicit TDbConnection(TComponent* owner) : TComponent(owner) {}

  const std::string& ConnectionString() const noexcept { return connectionString_; }
  // Takes effect at the next Open.
  void SetConnectionString(const std::string& s) { connectionString_ = s; }
  bool LoginPrompt() const noexcept { return loginPrompt_; }
  void SetLoginPrompt(bool v) noexcept { loginPrompt_ = v; }
  TConnectMode Mode() const noexcept { return mode_; }
  void SetMode(TConnectMode m) noexcept { mode_ = m; }

  bool Connected() const noexcept { return connection_.Connected(); }
  // Opens (or with false closes); a stored True opens after loading.
  void SetConnected(bool connected);
  // Throws bus::db::DatabaseError when the database cannot be opened.
  void Open() { SetConnected(true); }
  void Close() { SetConnected(false); }

  db::Connection& Connection() noexcept { return connection_; }

  void AttachQuery(TDbQuery* query);
  void DetachQuery(TDbQuery* query);

protected:
  void Loaded() override;
  void BeforeDestruction() override;

private:
  std::string connectionString_;          // provider's "key=value;..." text
  bool loginPrompt_ = true;               // stored; there is never a prompt
  TConnectMode mode_ = TConnectMode::cmUnknown;  // stored; the file is always shared
  bool streamedConnected_ = false;        // Connected as stored
  db::Connection connection_;             // the open database, if any
  std::vector<TDbQuery*> queries_;        // queries using this connection
};

}  // namespace bus
