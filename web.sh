#!/usr/bin/env bash
# Builds KORVANE for the browser if needed and serves it on this computer until Ctrl-C:
# ./web.sh [--build]; PORT picks the port (8000).
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup-web.sh
if [ "${1:-}" = "--build" ]; then
    exit 0
fi
port="${PORT:-8000}"
echo "http://127.0.0.1:${port}/"
exec python3 - "$port" build-web/site <<'SERVE'
import functools, http.server, sys
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[2])
handler.func.extensions_map[".wasm"] = "application/wasm"
handler.func.extensions_map[".data"] = "application/octet-stream"
http.server.ThreadingHTTPServer(("127.0.0.1", int(sys.argv[1])), handler).serve_forever()
SERVE
