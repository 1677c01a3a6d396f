// The main window under Wine, created in the test process from the description compiled into the
// program, over a copy of the bundled Xi'an database in a scratch directory. Message boxes no test
// answers itself fail the test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/BusMain.h"
#include "framework/controls/StdCtrls.h"
#include "grid/DBGrid.h"
#include "tests/support/BoxAnswerer.h"
#include "tests/support/TestSupport.h"

namespace bus::test {

// Every record of a route database, each field as text: what the searches are checked against.
using Record = std::vector<std::string>;
std::vector<Record> ReadAllRecords(const std::filesystem::path& database);

class MainWindowFixture : public ::testing::Test {
protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();

  // The program's directory with config.ini holding config (none when empty), and the bundled
  // Xi'an database under dbName (nothing when dbName is empty).
  void PrepareDirectory(const std::string& config, const std::string& dbName = "xaway.db");
  // Makes the main window as the program does and waits until it is shown and in front.
  void Create(const std::string& bannerUrl = kRefusedBanner);
  // The usual start: the Xi'an database named in config.ini; all_ holds its records.
  void CreateXian();
  void TearDown() override;

  std::string Caption() const { return form_->Caption(); }
  int Rows() const { return form_->DBGrid1->Count(); }
  // Types text into edit (focused first) and presses Enter there.
  void Search(TEdit* edit, const std::string& text);

  // A banner address nobody listens on: the download fails at once.
  static constexpr const char* kRefusedBanner = "http://127.0.0.1:1/softdownload/update/qbn";

  TempDir dir_;
  BoxAnswerer unexpected_;  // answers the boxes no test expects
  TfrmBusMain* form_ = nullptr;
  std::vector<Record> all_;  // the database's records, read directly
};

}  // namespace bus::test
