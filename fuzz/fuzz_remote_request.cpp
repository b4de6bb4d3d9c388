#include "pages/PageLimits.h"
#include "remote/RemoteApi.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// A program that always answers and counts what it is asked to do.
class CountingControl final : public RemoteControl
{
public:
    RemoteStatus status() const override { return {LinkState::Up, 32, 8, {}, {}, false}; }
    bool pageEnabled(remote::PageKind) const override { return true; }
    bool apply(const remote::PageCommand&) override { return ++applied, true; }
    void erase() override { ++erased; }
    QByteArray monitorPng() const override { return {}; }
    int applied = 0;
    int erased = 0;
};

bool within(const std::optional<int>& value, int maximum)
{
    return !value || (*value >= 0 && *value <= maximum);
}

bool within(const std::optional<QString>& text, int maxLength)
{
    return !text || text->size() <= maxLength;
}

// What a read command holds lies within the window controls' limits.
bool withinLimits(const remote::PageCommand& command)
{
    using namespace pagelimits;
    if (const auto* c = std::get_if<remote::SoccerCommand>(&command))
        return within(c->home, kSoccer.nameLength) && within(c->guest, kSoccer.nameLength) &&
               within(c->homeGoals, kSoccer.maxScore) && within(c->guestGoals, kSoccer.maxScore);
    if (const auto* c = std::get_if<remote::FootballCommand>(&command))
        return within(c->home, kFootball.nameLength) && within(c->homePoints, kFootball.maxScore) &&
               within(c->guestPoints, kFootball.maxScore) && within(c->duration, kDurationLength);
    if (const auto* c = std::get_if<remote::SetsCommand>(&command))
        return within(c->guest, kGameAndSet.nameLength) && within(c->guestGames, kGameAndSet.maxScore) &&
               within(c->homeSets, kGameAndSetMaxSets);
    if (const auto* c = std::get_if<remote::ClockCommand>(&command))
        return within(c->text, kWatchTextLength);
    return true;
}

} // namespace

// The first byte picks the page, the rest is the request body. Reading never throws; a body is either
// read into a command within the controls' limits or refused with 400 or 422 and a message; through
// the HTTP interface a refused body never reaches the windows, a read one does exactly once.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const auto page = remote::PageKind(data[0] % 5);
    const QByteArray body(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const auto parsed = remote::parsePage(page, body);
    const auto* failure = std::get_if<remote::Failure>(&parsed);
    if (failure && ((failure->status != 400 && failure->status != 422) || failure->message.isEmpty()))
        std::abort();
    if (!failure) {
        const auto& command = std::get<remote::PageCommand>(parsed);
        if (remote::kindOf(command) != page || !withinLimits(command))
            std::abort();
    }

    CountingControl control;
    remote::RemoteApi api(control);
    remote::HttpRequest request;
    request.method = "POST";
    request.path = QStringLiteral("/api/v1/pages/") + remote::pageName(page);
    request.body = body;
    request.peer = QStringLiteral("127.0.0.1");
    const remote::HttpResponse response = api.handle(request, 0);
    if (response.status != (failure ? failure->status : 200) || control.applied != (failure ? 0 : 1))
        std::abort();
    request.path = QStringLiteral("/api/v1/erase");
    const bool erased = api.handle(request, 0).status == 200;
    if (erased != !remote::parseEmpty(body) || control.erased != int(erased))
        std::abort();
    return 0;
}
