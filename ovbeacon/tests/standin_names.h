// Names of the events by which the tests steer and watch the stand-in server.
#pragma once

namespace ovbeacon_test {

// Set by the test: the server ends.
constexpr const char* kStandinStopFormat = "OvBeaconStandinStop_%u";
// Set by the server once its objects exist and its start-up traps are taken.
constexpr const char* kStandinReadyFormat = "OvBeaconStandinReady_%u";
// Set by the server after each answer it wrote (before it signals it).
constexpr const char* kStandinAnsweredFormat = "OvBeaconStandinAnswered_%u";

} // namespace ovbeacon_test
