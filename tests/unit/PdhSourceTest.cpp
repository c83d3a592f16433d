#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "sources/CPUpdh.h"
#include "tests/fakes/FakeSources.h"

namespace taktora {
namespace {

using fake::FakePdh;

constexpr std::uint32_t kInvalidData = 0xC0000BBA;                                          // PDH_CSTATUS_INVALID_DATA
constexpr platform::PdhStatus kCallFailed = static_cast<platform::PdhStatus>(0xC0000BC6u);  // PDH_INVALID_DATA
constexpr char kEnglishTotal[] = "\\Processor(_Total)\\% Processor Time";

std::string Path(const std::string& object, const std::string& instance, const std::string& counter) {
    return "\\" + object + "(" + instance + ")\\" + counter;
}

// Every object carries the counters and the instances "0", "1" and "_Total"; only `chosen` reads 25 in total, any
// other object 900, as the process objects' sum over all processes would.
void InstallObjects(FakePdh& pdh, const std::vector<std::string>& objects, const std::string& chosen,
                    const std::vector<std::string>& counters) {
    pdh.objects = FakePdh::MultiString(objects);
    for (const std::string& object : objects) {
        pdh.items[object] = {FakePdh::MultiString(counters), FakePdh::MultiString({"0", "1", "_Total"})};
        for (const std::string& counter : counters) {
            for (const char* instance : {"0", "1", "_Total"}) {
                pdh.counters[Path(object, instance, counter)] = {object == chosen ? 25.0 : 900.0};
            }
        }
    }
}

// The processor object with its usual names and one instance per entry, each reading the value given.
void InstallInstances(FakePdh& pdh, const std::vector<std::pair<std::string, double>>& instances) {
    std::vector<std::string> names;
    for (const auto& [name, value] : instances) {
        names.push_back(name);
        pdh.counters[Path("Processor", name, "% Processor Time")] = {value};
    }
    pdh.objects = FakePdh::MultiString({"Processor"});
    pdh.items["Processor"] = {FakePdh::MultiString({"% Processor Time"}), FakePdh::MultiString(names)};
}

int CallsStartingWith(const FakePdh& pdh, const std::string& start) {
    int count = 0;
    for (const std::string& call : pdh.calls) {
        count += call.rfind(start, 0) == 0 ? 1 : 0;
    }
    return count;
}

TEST(PdhLoad, FindsTheProcessorCounterByTheSystemsNames) {
    struct Case {
        std::vector<std::string> objects;
        std::string chosen;
        std::vector<std::string> counters;
        const char* why;
    };
    const Case cases[] = {
        {{"Cache", "Prozessor", "Speicher"}, "Prozessor", {"Interruptzeit (%)", "Prozessorzeit (%)"}, "German"},
        {{"Cache", "Processor"}, "Processor", {"% User Time", "% Processor Time"}, "English"},
        {{"Processor"}, "Processor", {"% Processortime"}, "the older English counter name"},
        {{"Process", "Processor"}, "Processor", {"% Processor Time"}, "the process object listed first"},
        {{"Prozess", "Prozessor"}, "Prozessor", {"Prozessorzeit (%)"}, "the German process object listed first"},
        {{"Cache", "Processor Information", "Prozessorinfo"},
         "Processor Information",
         {"% Processor Time"},
         "no exact name: the first containing Pro"},
    };
    for (const Case& c : cases) {
        for (const bool hasEnglishCounter : {true, false}) {
            FakePdh pdh;  // PDH rejects the English path, or has no PdhAddEnglishCounterW
            pdh.hasEnglishCounter = hasEnglishCounter;
            InstallObjects(pdh, c.objects, c.chosen, c.counters);
            clsCPUpdh source(pdh);
            source.Initialize();
            EXPECT_EQ(source.Query(), 25.0) << c.why;
            EXPECT_EQ(CallsStartingWith(pdh, "AddCounter"), 3) << c.why;
            EXPECT_EQ(pdh.liveCounters.size(), 3u) << c.why << ": the rejected English counter is no counter";
        }
    }
}

TEST(PdhLoad, EnglishTotalNeedsNoEnumerationAndPrefersProcessorInformation) {
    const std::string information = "\\Processor Information(_Total)\\% Processor Time";
    struct Case {
        bool informationKnown;  // Windows 7 and later
        std::vector<std::string> adds;
    };
    const Case cases[] = {
        {true, {information}},
        {false, {information, kEnglishTotal}},
    };
    for (const Case& c : cases) {
        FakePdh pdh;
        InstallObjects(pdh, {"Prozessor"}, "Prozessor", {"Prozessorzeit (%)"});
        pdh.englishCounters[kEnglishTotal] = {33.0};
        if (c.informationKnown) {
            pdh.englishCounters[information] = {34.0};
        }
        clsCPUpdh source(pdh);
        source.Initialize();
        std::vector<std::string> expected = {"OpenQuery 1"};
        for (const std::string& path : c.adds) {
            expected.push_back("AddEnglishCounter " + path);
        }
        EXPECT_EQ(pdh.calls, expected);
        EXPECT_EQ(source.Query(), c.informationKnown ? 34.0 : 33.0);
        EXPECT_EQ(source.Query(0), c.informationKnown ? 34.0 : 33.0) << "the total's last character reads as 0";
        EXPECT_FALSE(source.Broken());
        source.Terminate();
        EXPECT_TRUE(pdh.liveCounters.empty());
        EXPECT_TRUE(pdh.openQueries.empty());
    }
}

TEST(PdhLoad, BrokenWithoutACounterOrAfterFiveFailedCollectionsInARow) {
    FakePdh pdh;
    clsCPUpdh none(pdh);
    none.Initialize();
    EXPECT_TRUE(none.Broken()) << "no counter could be added";

    pdh.englishCounters[kEnglishTotal] = {20.0};
    clsCPUpdh source(pdh);
    source.Initialize();
    pdh.collectStatus = kCallFailed;
    for (int i = 1; i < clsCPUpdh::kMaxFailedCollections; ++i) {
        source.Query();
    }
    pdh.collectStatus = platform::kPdhSuccess;
    EXPECT_EQ(source.Query(), 20.0);  // a good collection starts the count anew
    pdh.collectStatus = kCallFailed;
    for (int i = 1; i < clsCPUpdh::kMaxFailedCollections; ++i) {
        source.Query();
    }
    EXPECT_FALSE(source.Broken());
    source.Query();
    EXPECT_TRUE(source.Broken());
}

// Neither PDH's English names nor the system's: only an English Windows still knows the English path.
TEST(PdhLoad, WithoutAnyNamesOnlyTheEnglishPathRemains) {
    struct Case {
        std::vector<std::string> objects;
        std::vector<std::string> counters;
        std::vector<std::string> instances;
        platform::PdhStatus enumStatus;
        const char* why;
    };
    const Case cases[] = {
        {{"Processeur"}, {"% temps processeur"}, {"0", "_Total"}, platform::kPdhSuccess, "French counter name"},
        {{"Cache", "Speicher"}, {"% Processor Time"}, {"0", "_Total"}, platform::kPdhSuccess, "no object with Pro"},
        {{"Processor"}, {"% Processor Time"}, {"0", "_Total"}, kCallFailed, "enumeration fails"},
        {{}, {}, {}, platform::kPdhSuccess, "empty object list"},
        {{"Processor"}, {"% Processor Time"}, {}, platform::kPdhSuccess, "no instances"},
    };
    for (const Case& c : cases) {
        for (const bool englishWindows : {true, false}) {
            FakePdh pdh;
            pdh.objects = c.objects.empty() ? std::string() : FakePdh::MultiString(c.objects);
            for (const std::string& object : c.objects) {
                pdh.items[object] = {FakePdh::MultiString(c.counters), FakePdh::MultiString(c.instances)};
            }
            pdh.enumStatus = c.enumStatus;
            pdh.hasEnglishCounter = false;
            if (englishWindows) {
                pdh.counters[kEnglishTotal] = {12.0};
            }
            clsCPUpdh source(pdh);
            source.Initialize();
            EXPECT_EQ(CallsStartingWith(pdh, "EnumObjectsLength"), 1) << c.why;
            EXPECT_EQ(CallsStartingWith(pdh, "AddCounter"), 1) << c.why;
            EXPECT_EQ(CallsStartingWith(pdh, std::string("AddCounter ") + kEnglishTotal), 1) << c.why;
            EXPECT_EQ(source.Query(), englishWindows ? 12.0 : 0.0) << c.why;
            source.Terminate();
            EXPECT_TRUE(pdh.liveCounters.empty()) << c.why;
            EXPECT_TRUE(pdh.openQueries.empty()) << c.why;
        }
    }
}

TEST(PdhLoad, InstanceListSplitsIntoCounters) {
    FakePdh pdh;
    InstallInstances(pdh, {{"0", 40.0}, {"_Total", 40.0}});
    clsCPUpdh source(pdh);
    source.Initialize();
    ASSERT_EQ(source.Counters.size(), 3u);
    EXPECT_EQ(source.Counters[0].InstanceName, "0");
    EXPECT_EQ(source.Counters[1].InstanceName, "_Total");
    EXPECT_EQ(source.Counters[2].InstanceName, "");
    EXPECT_NE(source.Counters[0].CounterHandle, 0u);
    EXPECT_NE(source.Counters[1].CounterHandle, 0u);
    EXPECT_EQ(source.Counters[2].CounterHandle, 0u);
    EXPECT_EQ(CallsStartingWith(pdh, "AddCounter"), 2);
}

TEST(PdhLoad, ProcessorIndexSelectsTheInstance) {
    struct Case {
        std::vector<std::pair<std::string, double>> instances;
        int cpu;  // -1: no index
        double expected;
        const char* why;
    };
    const Case cases[] = {
        {{{"0", 10}, {"1", 20}, {"_Total", 15}}, -1, 15, "the total"},
        {{{"0", 10}, {"1", 20}}, -1, 0, "no total instance"},
        {{{"11", 70}, {"1", 20}, {"_Total", 45}}, 1, 70, "11 ends in 1 and comes first"},
        {{{"1", 20}, {"11", 70}, {"_Total", 45}}, 1, 20, "1 comes first"},
        {{{"1", 20}, {"_Total", 45}, {"0", 10}}, 0, 45, "_Total reads as 0 and comes before 0"},
        {{{"0", 10}, {"1", 20}, {"_Total", 15}}, 0, 10, "0 comes first"},
        {{{"0", 10}, {"1", 20}, {"_Total", 15}}, 2, 0, "no processor 2"},
        {{{"0", 10}, {"9", 90}, {"_Total", 15}}, 9, 90, "the highest digit"},
    };
    for (const Case& c : cases) {
        FakePdh pdh;
        InstallInstances(pdh, c.instances);
        clsCPUpdh source(pdh);
        source.Initialize();
        const double sample = c.cpu < 0 ? source.Query() : source.Query(static_cast<std::uint8_t>(c.cpu));
        EXPECT_EQ(sample, c.expected) << c.why;
    }
}

TEST(PdhLoad, BadSamplesReadAsZero) {
    struct Case {
        platform::PdhStatus collect;
        FakePdh::Reading total;
        double expected;
        const char* why;
    };
    const Case cases[] = {
        {platform::kPdhSuccess, {55, platform::kPdhValidData, platform::kPdhSuccess}, 55, "valid data"},
        {platform::kPdhSuccess, {55, platform::kPdhNewData, platform::kPdhSuccess}, 55, "new data"},
        {kCallFailed, {55, platform::kPdhValidData, platform::kPdhSuccess}, 0, "collection fails"},
        {platform::kPdhSuccess, {55, kInvalidData, platform::kPdhSuccess}, 0, "bad counter status"},
        {platform::kPdhSuccess, {55, platform::kPdhValidData, kCallFailed}, 0, "value cannot be read"},
    };
    for (const Case& c : cases) {
        FakePdh pdh;
        InstallInstances(pdh, {{"0", 10}, {"_Total", 0}});
        pdh.counters[Path("Processor", "_Total", "% Processor Time")] = c.total;
        pdh.collectStatus = c.collect;
        clsCPUpdh source(pdh);
        source.Initialize();
        EXPECT_EQ(source.Query(), c.expected) << c.why;
    }

    // A matching instance with a bad value lets the next match answer.
    FakePdh pdh;
    InstallInstances(pdh, {{"11", 70}, {"1", 20}});
    pdh.counters[Path("Processor", "11", "% Processor Time")].counterStatus = kInvalidData;
    clsCPUpdh source(pdh);
    source.Initialize();
    EXPECT_EQ(source.Query(1), 20);
}

TEST(PdhLoad, TerminateRemovesTheCountersAndClosesTheQuery) {
    FakePdh pdh;
    InstallInstances(pdh, {{"0", 10}, {"1", 20}, {"_Total", 15}});
    clsCPUpdh source(pdh);
    source.Initialize();
    ASSERT_EQ(pdh.liveCounters.size(), 3u);
    pdh.calls.clear();
    source.Terminate();
    EXPECT_TRUE(pdh.liveCounters.empty());
    EXPECT_TRUE(pdh.openQueries.empty());
    EXPECT_EQ(pdh.calls.back(), "CloseQuery");
    for (const PdhCounterEntry& entry : source.Counters) {
        EXPECT_EQ(entry.CounterHandle, 0u);
    }
    pdh.calls.clear();
    EXPECT_EQ(source.Query(), 0);
    source.Terminate();
    EXPECT_TRUE(pdh.calls.empty()) << "nothing left to collect or close";
}

TEST(PdhLoad, QueryThatCannotBeOpenedReadsZero) {
    FakePdh pdh;
    InstallInstances(pdh, {{"0", 10}, {"_Total", 15}});
    pdh.openStatus = kCallFailed;
    clsCPUpdh source(pdh);
    source.Initialize();
    EXPECT_EQ(source.QueryHandle, 0u);
    EXPECT_EQ(pdh.calls, std::vector<std::string>{"OpenQuery 1"}) << "no counter, no enumeration without a query";
    EXPECT_EQ(source.Query(), 0);
    pdh.calls.clear();
    source.Terminate();
    EXPECT_TRUE(pdh.calls.empty());
}

TEST(PdhLoad, UnreachableMachineFallsBackToTheLocalOne) {
    const std::string server = "\\\\SERVER";
    for (const bool reachable : {false, true}) {
        for (const bool hasEnglishCounter : {true, false}) {
            FakePdh pdh;
            if (reachable) {
                pdh.machines.insert(server);
            }
            pdh.hasEnglishCounter = hasEnglishCounter;
            InstallInstances(pdh, {{"0", 5}, {"_Total", 5}});
            pdh.counters[server + Path("Processor", "_Total", "% Processor Time")] = {50};
            pdh.englishCounters[kEnglishTotal] = {5};
            pdh.englishCounters[server + kEnglishTotal] = {50};
            clsCPUpdh source(pdh);
            source.Initialize(server);
            EXPECT_EQ(source.Query(), reachable ? 50 : 5) << "English counter " << hasEnglishCounter;
            EXPECT_EQ(CallsStartingWith(pdh, "EnumObjectsLength [" + (reachable ? server : "") + "]"),
                      hasEnglishCounter ? 0 : 1);
        }
    }
}

}  // namespace
}  // namespace taktora
