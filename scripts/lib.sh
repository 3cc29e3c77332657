# Shared by scripts/run, scripts/test and scripts/bench.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="${JOBS:-$(nproc)}"

PACKAGES=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6sql6-sqlite libqt6sql6-psql
    qt6-translations-l10n
    libqt6opengl6-dev libgl-dev libegl-dev libxkbcommon-dev
    libxlsxwriter-dev zlib1g-dev libsqlite3-dev
    postgresql postgresql-contrib
    unzip poppler-utils openssl ca-certificates
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_deps() {
    local missing=()
    for p in "${PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "A instalar: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
    fi
}

# build DIR [cmake options...]
build() {
    local dir="$1"; shift
    # Compiled objects are kept between builds and clones: paths inside the
    # checkout are taken relative to it, so another clone hits the same cache.
    export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache "$@" >/dev/null
    cmake --build "$dir" -j "$JOBS"
}

pg_bindir() {
    local d
    for d in /usr/lib/postgresql/*/bin; do
        [ -x "$d/initdb" ] && { echo "$d"; return; }
    done
    echo "PostgreSQL (initdb) não encontrado" >&2
    return 1
}

# Starts a throwaway PostgreSQL server on a Unix socket and exports
# CORVANE_TEST_PG with an administrator's connection string. The server runs
# as the postgres user when this script runs as root (the server refuses root).
start_pg() {
    local bindir; bindir="$(pg_bindir)"
    PG_DIR="$(mktemp -d /tmp/corvane-pg.XXXXXX)"
    PG_PORT="${PG_PORT:-$(( 20000 + RANDOM % 20000 ))}"
    PG_PASSWORD="test-$(od -An -N6 -tx1 /dev/urandom | tr -d ' \n')"
    local run=()
    if [ "$(id -u)" -eq 0 ]; then
        chown postgres: "$PG_DIR"
        run=(runuser -u postgres --)
    fi
    echo "$PG_PASSWORD" > "$PG_DIR/pwfile"
    chmod 600 "$PG_DIR/pwfile"
    [ "$(id -u)" -eq 0 ] && chown postgres: "$PG_DIR/pwfile"
    "${run[@]}" "$bindir/initdb" -D "$PG_DIR/data" -U postgres --pwfile="$PG_DIR/pwfile" \
        --auth=scram-sha-256 -E UTF8 --locale=C.UTF-8 >"$PG_DIR/initdb.log" 2>&1 \
        || { cat "$PG_DIR/initdb.log"; return 1; }
    "${run[@]}" "$bindir/pg_ctl" -D "$PG_DIR/data" -l "$PG_DIR/server.log" -w -t 60 \
        -o "-k $PG_DIR -p $PG_PORT -c listen_addresses='' -c fsync=off -c max_connections=200" start >/dev/null \
        || { cat "$PG_DIR/server.log"; return 1; }
    PG_RUN=("${run[@]}")
    PG_BINDIR="$bindir"
    PGPASSWORD="$PG_PASSWORD" "$bindir/psql" -h "$PG_DIR" -p "$PG_PORT" -U postgres -d postgres -qAt \
        -c "CREATE DATABASE corvane_test" >/dev/null
    export CORVANE_TEST_PG="host=$PG_DIR port=$PG_PORT dbname=corvane_test user=postgres password=$PG_PASSWORD"
    echo "PostgreSQL de teste em $PG_DIR (porta $PG_PORT)"
}

stop_pg() {
    if [ -n "${PG_DIR:-}" ] && [ -d "$PG_DIR/data" ]; then
        "${PG_RUN[@]}" "$PG_BINDIR/pg_ctl" -D "$PG_DIR/data" -m immediate stop >/dev/null 2>&1 || true
        rm -rf "$PG_DIR"
    fi
}
