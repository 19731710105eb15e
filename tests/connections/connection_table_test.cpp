#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/connections/connection_fixture.h"

namespace {

using ::testing::ElementsAre;

void* const kFilled = reinterpret_cast<void*>(CONNECTION_TABLE_FILLED);

// The lines a new connection leaves with its server.
auto CreationLines() {
  return ElementsAre("ClassFactory::CreateInstance", "CaseServer::SetServerMode|3",
                     "CaseServer::OpenProgramCase|Vodi|1|1");
}

TEST_F(ConnectionTest, ExitOnAnEmptyTableStillUninitialisesOle) {
  OleInitialize(nullptr);  // the host's own
  HANDLE_EXIT();
  EXPECT_FALSE(OleInitialisedHere());
  EXPECT_EQ(CaseProbeServerCount(), 0);
  EXPECT_TRUE(case_probe::Log().empty());
}

TEST_F(ConnectionTest, TheFirstInputInitialisesOleAndOpensVizurAndTheHostKey) {
  CaseData* data = Untouched();
  EXPECT_EQ(Connect("VIZUR", CONNECTION_ANY_ENTRIES, &data), nullptr);
  EXPECT_EQ(data, nullptr);

  Open("BLOCK-7");
  EXPECT_TRUE(OleInitialisedHere());
  ASSERT_EQ(Entries(), 2u);
  EXPECT_EQ(Key(0), "VIZUR               ");
  EXPECT_EQ(Key(1), "BLOCK-7             ");
  EXPECT_THAT(case_probe::Log(1), CreationLines());
  EXPECT_THAT(case_probe::Log(2), CreationLines());
  for (std::size_t i = 0; i < 2; ++i) EXPECT_TRUE(CONNECTION_TABLE.CASE_OBJECTS[i]);

  data = Untouched();
  EXPECT_EQ(Connect("anything", CONNECTION_ANY_ENTRIES, &data), kFilled);
  EXPECT_EQ(data, nullptr);
}

TEST_F(ConnectionTest, ASecondInputWithTheSameKeyCreatesNothingAndInitialisesNothing) {
  Open("BLOCK-7");
  Open("BLOCK-7");
  EXPECT_EQ(CaseProbeServerCount(), 2);
  EXPECT_EQ(Entries(), 2u);
  // One exit balances the one initialisation.
  HANDLE_EXIT();
  EXPECT_FALSE(OleInitialisedHere());
}

TEST_F(ConnectionTest, VizurAsTheHostKeyOpensOneConnection) {
  Open("VIZUR               ");
  EXPECT_EQ(Entries(), 1u);
  EXPECT_EQ(CaseProbeServerCount(), 1);
}

TEST_F(ConnectionTest, KeysMatchOnTwentyCharactersByteForByte) {
  const struct {
    std::string_view first, second;
    bool same;
  } cases[] = {
      {"BLOCK", "BLOCK               ", true},
      {"BLOCK", "block", false},
      {"BLOCK", " BLOCK", false},
      {"KEY-OF-20-CHARACTERS", "KEY-OF-20-CHARACTERS and more", true},
      {"KEY-OF-20-CHARACTERX", "KEY-OF-20-CHARACTERS", false},
      {"", "                    ", true},
      {std::string_view("AB\0", 3), "AB", false},
  };
  OleInitialize(nullptr);
  for (const auto& c : cases) {
    CaseData* first = nullptr;
    CaseData* second = nullptr;
    void* a = Connect(c.first, CONNECTION_FIND_OR_CREATE, &first);
    void* b = Connect(c.second, CONNECTION_FIND_OR_CREATE, &second);
    ASSERT_TRUE(a && b) << c.first;
    EXPECT_EQ(a == b, c.same) << '"' << c.first << "\" \"" << c.second << '"';
    EXPECT_EQ(first == second, c.same) << c.first;
    HANDLE_EXIT();
    OleInitialize(nullptr);
  }
  HANDLE_EXIT();
}

TEST_F(ConnectionTest, OnlyTheGivenLengthOfAKeyCounts) {
  OleInitialize(nullptr);
  const char text[] = "BLOCKXYZ";
  CaseData* data = nullptr;
  const int64_t open = CONNECTION_FIND_OR_CREATE;
  void* short_key = GET_CASE_CONNECTION(text, 5, &data, &open, "Vodi", 4);
  EXPECT_EQ(Connect("BLOCK", CONNECTION_FIND_OR_CREATE, &data), short_key);
  EXPECT_EQ(Key(0), "BLOCK               ");
}

TEST_F(ConnectionTest, FindOnlyCreatesOnlyInAnEmptyTable) {
  OleInitialize(nullptr);
  CaseData* data = Untouched();
  void* first = Connect("BLOCK-1", CONNECTION_FIND_ONLY, &data);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(data, CONNECTION_TABLE.CASE_OBJECTS[0].get());

  data = Untouched();
  EXPECT_EQ(Connect("BLOCK-2", CONNECTION_FIND_ONLY, &data), nullptr);
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(Entries(), 1u);
  EXPECT_EQ(CaseProbeServerCount(), 1);

  EXPECT_EQ(Connect("BLOCK-1", CONNECTION_FIND_ONLY, &data), first);
  EXPECT_EQ(data, CONNECTION_TABLE.CASE_OBJECTS[0].get());
}

TEST_F(ConnectionTest, StoringReplacesTheEntrysCaseData) {
  Open("BLOCK-1");
  CaseData* vizur_data = nullptr;
  void* vizur = Connect("VIZUR", CONNECTION_FIND_OR_CREATE, &vizur_data);

  // Another case data object (the VIZUR connection's) stored under BLOCK-1.
  CaseData* data = vizur_data;
  void* block = Connect("BLOCK-1", CONNECTION_STORE_CASE_DATA, &data);
  EXPECT_NE(block, vizur);
  EXPECT_EQ(data, vizur_data);  // the caller's variable keeps what it brought
  CaseData* now = nullptr;
  EXPECT_EQ(Connect("BLOCK-1", CONNECTION_FIND_OR_CREATE, &now), block);
  EXPECT_EQ(now, vizur_data);

  // A null object is not stored: the connection keeps its case.
  data = nullptr;
  EXPECT_EQ(Connect("BLOCK-1", CONNECTION_STORE_CASE_DATA, &data), block);
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(CONNECTION_TABLE.CASE_OBJECTS[1].get(), vizur_data);

  // A key not in the table is created, and its own case data replaces the caller's.
  data = vizur_data;
  void* created = Connect("BLOCK-2", CONNECTION_STORE_CASE_DATA, &data);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(data, CONNECTION_TABLE.CASE_OBJECTS[2].get());
  EXPECT_NE(data, vizur_data);
}

TEST_F(ConnectionTest, UnknownModesActAsFindOrCreate) {
  OleInitialize(nullptr);
  for (int64_t mode : {5, -1, 99}) {
    CaseData* data = Untouched();
    EXPECT_NE(Connect("BLOCK", mode, &data), nullptr) << mode;
    EXPECT_EQ(data, CONNECTION_TABLE.CASE_OBJECTS[0].get()) << mode;
  }
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(ConnectionTest, ExitShutsDownAndReleasesEveryConnectionInOrder) {
  Open("BLOCK-1");
  CaseData* data = Untouched();
  const int64_t release_all = CONNECTION_RELEASE_ALL;
  EXPECT_EQ(GET_CASE_CONNECTION("", 0, &data, &release_all, "Vodi", 4), nullptr);
  EXPECT_EQ(data, Untouched());
  EXPECT_EQ(Entries(), 0u);
  EXPECT_THAT(case_probe::Log(), ::testing::IsSupersetOf({"CaseServer::ShutDown"}));
  const auto log = case_probe::Log();
  const std::vector<std::string> ends(log.end() - 4, log.end());
  EXPECT_THAT(ends, ElementsAre("CaseServer::ShutDown", "CaseServer::Release",
                                "CaseServer::ShutDown", "CaseServer::Release"));
  EXPECT_THAT(case_probe::Log(1), ::testing::Contains("CaseServer::Release"));
  EXPECT_FALSE(case_probe::Server(1).alive);
  EXPECT_FALSE(case_probe::Server(2).alive);
  // Each connection's case data went before its server was shut down.
  EXPECT_EQ(case_probe::Server(1).case_data_held_at_shut_down, 0);
  EXPECT_EQ(case_probe::Server(2).case_data_held_at_shut_down, 0);
  // Nothing of the servers is left alive: the case data objects went too.
  using CanUnload = HRESULT(__stdcall*)();
  auto can_unload = reinterpret_cast<CanUnload>(
      GetProcAddress(GetModuleHandleA("casesrv.dll"), "DllCanUnloadNow"));
  ASSERT_NE(can_unload, nullptr);
  EXPECT_EQ(can_unload(), S_OK);
}

TEST_F(ConnectionTest, AfterExitTheTableStartsAgain) {
  Open("BLOCK-1");
  HANDLE_EXIT();
  EXPECT_FALSE(OleInitialisedHere());

  // An execute call on the host's own OLE creates the key anew and initialises nothing.
  OleInitialize(nullptr);
  CaseData* data = nullptr;
  EXPECT_NE(Connect("BLOCK-1", CONNECTION_FIND_OR_CREATE, &data), nullptr);
  EXPECT_EQ(CaseProbeServerCount(), 3);
  EXPECT_EQ(Entries(), 1u);
  HANDLE_EXIT();
  EXPECT_FALSE(OleInitialisedHere());

  // The next input call initialises OLE again and opens both connections.
  Open("BLOCK-1");
  EXPECT_TRUE(OleInitialisedHere());
  EXPECT_EQ(CaseProbeServerCount(), 5);
  EXPECT_EQ(Key(0), "VIZUR               ");
}

TEST_F(ConnectionTest, AServerThatCannotBeCreatedLeavesNoEntry) {
  // Without OLE on the thread (an execute call before any input call) the
  // server cannot be created.
  CaseData* data = Untouched();
  EXPECT_EQ(Connect("BLOCK-1", CONNECTION_FIND_OR_CREATE, &data), nullptr);
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(Entries(), 0u);

  // The class refuses to make an object: in every creating mode, nothing.
  OleInitialize(nullptr);
  for (int64_t mode :
       {CONNECTION_FIND_OR_CREATE, CONNECTION_FIND_ONLY, CONNECTION_STORE_CASE_DATA}) {
    CaseProbeFailOperation("ClassFactory::CreateInstance", 1);
    data = Untouched();
    EXPECT_EQ(Connect("BLOCK-1", mode, &data), nullptr) << mode;
    EXPECT_EQ(data, nullptr) << mode;
    EXPECT_EQ(Entries(), 0u) << mode;
  }
  EXPECT_EQ(CaseProbeServerCount(), 0);
  // Once the server can be made again, the key gets its connection.
  EXPECT_NE(Connect("BLOCK-1", CONNECTION_FIND_OR_CREATE, &data), nullptr);
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(ConnectionTest, AServerThatOpensNoCaseIsShutDownAndLeavesNoEntry) {
  OleInitialize(nullptr);
  CaseProbeFailOperation("CaseServer::OpenProgramCase", 1);
  CaseData* data = Untouched();
  EXPECT_EQ(Connect("BLOCK-1", CONNECTION_FIND_OR_CREATE, &data), nullptr);
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(Entries(), 0u);
  EXPECT_THAT(case_probe::Log(1),
              ElementsAre("ClassFactory::CreateInstance", "CaseServer::SetServerMode|3",
                          "CaseServer::OpenProgramCase|Vodi|1|1", "CaseServer::ShutDown",
                          "CaseServer::Release"));
}

TEST_F(ConnectionTest, InputCallsThatCannotConnectInitialiseOleOnce) {
  for (int i = 0; i < 3; ++i) {
    CaseProbeFailOperation("ClassFactory::CreateInstance", 2);
    Open("BLOCK-1");
    EXPECT_EQ(Entries(), 0u);
  }
  HANDLE_EXIT();
  EXPECT_FALSE(OleInitialisedHere());
}

TEST_F(ConnectionTest, OnlyTheFirstFourCharactersOfTheProgramNameCount) {
  OleInitialize(nullptr);
  CaseData* data = nullptr;
  const int64_t open = CONNECTION_FIND_OR_CREATE;
  EXPECT_NE(GET_CASE_CONNECTION("BLOCK", 5, &data, &open, "Vodi and more", 13), nullptr);
  EXPECT_EQ(case_probe::Log(1)[2], "CaseServer::OpenProgramCase|Vodi|1|1");
}

}  // namespace
