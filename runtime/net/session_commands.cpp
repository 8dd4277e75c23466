// The language's session commands over the process's session.
#include "net/session.h"
#include "tarnvik/net.h"

namespace {

std::string Bytes(const RtString& text) { return std::string(text.c_str(), text.Length()); }

RtString ToRt(const std::string& text) {
    RtString value;
    value.Assign(text.data(), static_cast<uint32_t>(text.size()));
    return value;
}

}  // namespace

using tvk::g_session;

RtInt HostSession(RtInt port) { return g_session ? tvk::HostOn(*g_session, port) : 0; }

RtInt JoinSession(const RtString& host, RtInt port) {
    return g_session ? tvk::JoinOn(*g_session, host.c_str(), port) : 0;
}

RtInt CloseSession() { return g_session ? tvk::EndSession(*g_session) : 0; }

void SetAccepting(RtInt accepting) {
    if (g_session) tvk::SetAcceptingOn(*g_session, accepting != 0);
}

RtInt AddPlayer(const RtString& name) { return g_session ? tvk::RegisterPlayer(*g_session, Bytes(name)) : 0; }

RtInt RemovePlayer(RtInt id) { return g_session ? tvk::UnregisterPlayer(*g_session, id) : 0; }

RtInt SendMessage(RtInt source, RtInt target, const RtString& text) {
    return g_session ? tvk::SendSessionText(*g_session, source, target, Bytes(text)) : 0;
}

RtString GetMessage(RtInt player) {
    std::string text;
    if (!g_session || !tvk::TakePlayerMessage(*g_session, player, text)) return RtString();
    return ToRt(text);
}

RtInt GetMessageSender() { return g_session ? tvk::LastMessageSender(*g_session) : 0; }

RtInt CountPlayers() { return g_session ? tvk::RequestPlayerCount(*g_session) : 0; }

RtInt GetPlayerId(RtInt n) { return g_session ? tvk::RequestPlayerId(*g_session, n) : 0; }

RtString GetPlayerName(RtInt id) { return ToRt(g_session ? tvk::RequestPlayerName(*g_session, id) : "NO_DATA"); }

RtInt GetLeftPlayer() { return g_session ? tvk::TakeLeftPlayer(*g_session) : 0; }
