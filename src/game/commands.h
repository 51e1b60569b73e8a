// The play screen's key and mouse commands; the keys are those of the table
// in play_commands.h. Each handler only changes the
// session's flags, phases and states and posts ticker texts; the next frames
// act on them. The putting gestures themselves belong to the shot control,
// reached through PlayHost. Pointer positions are screen pixels.
#pragma once

#include <cstdint>
#include <string_view>

#include "game/play_commands.h"
#include "media/input.h"

namespace quendrix {

class GameSession;
class PlayHost;

// Ticker texts of the commands, as stored (blanks and NULs included); the
// game draws them in the run's language (play_texts.h).
inline constexpr std::string_view kTickerPullOn{"                           CTNVL - YJT JDAP"};
inline constexpr std::string_view kTickerPullOff{"                           CTNVL - YJU JDAP"};
inline constexpr std::string_view kTicker15Fps{
    "                   VNMNT OPENM0B \0\0\0\0\0\0\0  15 O/C", 19 + 14 + 7 + 8};
inline constexpr std::string_view kTicker30Fps{"                           VNMNT OPENM0B  30 O/C"};
inline constexpr std::string_view kTicker60Fps{"                           VNMNT OPENM0B  60 O/C"};
inline constexpr std::string_view kTickerSoundOnKey{"                          3BJK BKV."};
inline constexpr std::string_view kTickerSoundOnButton{"                         3BJK BKV. "};
inline constexpr std::string_view kTickerSoundOff{"                        3BJK BLIKV. "};
inline constexpr std::string_view kTickerAmbientOn{
    "                           3BJK0B0N O0H BKV.  "};
inline constexpr std::string_view kTickerAmbientOff{
    "                           3BJK0B0N O0H BLIKV. "};

void CommandKeyDown(GameSession& session, PlayHost& host, uint16_t key);
void CommandKeyUp(GameSession& session, uint16_t key);
void CommandMouseMove(GameSession& session, int32_t x, int32_t y);
void CommandMouseDown(GameSession& session, PlayHost& host, MouseButton button);
void CommandMouseUp(GameSession& session, PlayHost& host, MouseButton button);
// A left press and release on the surface; comes before the button-up.
void CommandClick(GameSession& session, PlayHost& host);
// Comes before the second press of a double click.
void CommandDblClick(GameSession& session, PlayHost& host);

// anchorX, anchorY = the surface centre, and the pointer is put there.
void ReAnchorPointer(GameSession& session, PlayHost& host);

}  // namespace quendrix
