#include "remote/RemoteApi.h"

namespace remote {

// Plain HTML and a few lines of script. A token in the page's own address (…/?token=…) goes along with
// every request it makes, so the page also works where the remote control needs one.
QByteArray statusPage()
{
    return QByteArrayLiteral(R"html(<!DOCTYPE html>
<html lang="de">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Brisal Client – Videowand</title>
<style>
body { font-family: "Liberation Sans", Arial, sans-serif; background: #202020; color: #e0e0e0; margin: 16px; }
h1 { font-size: 20px; margin: 0 0 12px 0; }
#monitor { display: block; max-width: 100%; background: #000; border: 1px solid #555; min-height: 120px; }
#nomonitor { color: #999; padding: 40px 0; }
table { border-collapse: collapse; margin-top: 12px; }
td { padding: 3px 12px 3px 0; }
td:first-child { color: #999; }
.up { color: #4c4; } .waiting { color: #e44; } .unknown { color: #999; } .error { color: #e44; }
</style>
</head>
<body>
<h1>Videowand</h1>
<img id="monitor" alt="Monitorbild der Videowand">
<div id="nomonitor" hidden>Kein Monitorbild vorhanden.</div>
<table>
<tr><td>Verbindung</td><td id="link">–</td></tr>
<tr><td>Textgröße</td><td id="size">–</td></tr>
<tr><td>Version der Wand</td><td id="version">–</td></tr>
<tr><td>Offene Seite</td><td id="page">–</td></tr>
<tr><td>Ungesendete Änderungen</td><td id="unsent">–</td></tr>
</table>
<script>
const token = new URLSearchParams(location.search).get("token");
const headers = token ? { "Authorization": "Bearer " + token } : {};
const linkText = { up: "Wand antwortet", waiting: "Wand antwortet nicht", unknown: "noch nicht gefragt" };
const pageText = { clock: "Uhrzeit", soccer: "Fußball", football: "American Football", text: "Textliste",
                   sets: "Spiel-/Satzstand", picture: "Bild", video: "Video", timing: "Zeitmesstechnik" };
const monitor = document.getElementById("monitor");
monitor.onerror = () => { monitor.hidden = true; document.getElementById("nomonitor").hidden = false; };
monitor.onload = () => { monitor.hidden = false; document.getElementById("nomonitor").hidden = true; };
function show(id, text, cls) { const e = document.getElementById(id); e.textContent = text; e.className = cls || ""; }
async function refresh() {
  try {
    const r = await fetch("api/v1/status", { headers, cache: "no-store" });
    const s = await r.json();
    if (!r.ok) { show("link", s.error, "error"); return; }
    show("link", linkText[s.link] || s.link, s.link);
    show("size", s.columns + " × " + s.rows + " Zeichen");
    show("version", s.version || "–");
    show("page", s.page ? (pageText[s.page] || s.page) : "keine");
    show("unsent", s.unsent ? "ja" : "nein");
  } catch (e) {
    show("link", "Client antwortet nicht", "error");
  }
  monitor.src = "api/v1/monitor.png?t=" + Date.now() + (token ? "&token=" + encodeURIComponent(token) : "");
}
refresh();
setInterval(refresh, 1000);
</script>
</body>
</html>
)html");
}

} // namespace remote
