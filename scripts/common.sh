# Shared steps of ./run and ./test: packages, build, throwaway PostgreSQL cluster.
# shellcheck shell=bash

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${TMK_BUILD_DIR:-$ROOT/build}"

PACKAGES=(
    cmake ninja-build g++ pkg-config python3
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libxkbcommon-dev
    libgl-dev fonts-liberation2 qt6-translations-l10n
    libqrencode-dev poppler-utils zbar-tools
    libgtest-dev libgmock-dev libbenchmark-dev
    postgresql-15 postgresql-client-15
)

# Only fuzz/run needs these: clang with libFuzzer and the sanitizers' runtime.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

log() { printf '\033[1m==> %s\033[0m\n' "$*" >&2; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

# Installs what is missing of the given packages (PACKAGES when none are given).
ensure_packages() {
    local wanted=("$@")
    if [ ${#wanted[@]} -eq 0 ]; then
        wanted=("${PACKAGES[@]}")
    fi
    local missing=()
    local p
    for p in "${wanted[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    log "Instalando pacotes: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    if ! as_root apt-get install -y -q --no-install-recommends "${missing[@]}"; then
        as_root apt-get update -q
        as_root apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

# Configures (once) and builds incrementally. Warnings are errors.
build_project() {
    if [ ! -f "$BUILD_DIR/build.ninja" ]; then
        log "Configurando em $BUILD_DIR"
        local launcher=()
        # A compiler cache, when the machine has one, keeps rebuilds of other checkouts short.
        if command -v ccache >/dev/null 2>&1; then
            launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        fi
        cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTMK_WERROR=ON \
            "${launcher[@]}" "$@"
    fi
    log "Compilando"
    cmake --build "$BUILD_DIR" -- -j"$(nproc)"
}

# A runtime folder for Qt (it warns without one).
ensure_runtime_dir() {
    if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "${XDG_RUNTIME_DIR}" ]; then
        XDG_RUNTIME_DIR="$(mktemp -d /tmp/tmk-runtime.XXXXXX)"
        chmod 700 "$XDG_RUNTIME_DIR"
        export XDG_RUNTIME_DIR
    fi
}

PG_BIN=/usr/lib/postgresql/15/bin
PG_DIR=""

pg_run() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

port_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

# The server options of a test cluster: loopback on the port, its socket in the folder,
# nothing synced.
pg_test_options() {
    echo "-c listen_addresses=127.0.0.1 -p $1 -k $2 -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200"
}

# Starts a test cluster again after stop_pg_server, on the port it had.
restart_pg_server() {
    pg_run "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -l "$PG_DIR/server.log" -w -t 30 \
        -o "$(pg_test_options "$(cat "$PG_DIR/port")" "$PG_DIR")" start >/dev/null
}

# Stops the server of a test cluster and keeps its data folder.
stop_pg_server() {
    pg_run "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -m fast -w stop >/dev/null
}

# Starts a throwaway PostgreSQL 15 cluster on loopback (free port, temporary data
# folder) and exports TMK_TEST_PG with its connection text (and TMK_TEST_PG_DIR with the
# folder). stop_pg_cluster ends it.
start_pg_cluster() {
    PG_DIR="$(mktemp -d /tmp/tmk-pg.XXXXXX)"
    if [ "$(id -u)" -eq 0 ]; then
        chown postgres:postgres "$PG_DIR"
    fi
    pg_run "$PG_BIN/initdb" -D "$PG_DIR/data" -U postgres --auth=trust -E UTF8 \
        --locale=C.UTF-8 --no-sync >"$PG_DIR/initdb.log" 2>&1 || {
        cat "$PG_DIR/initdb.log" >&2
        return 1
    }
    local attempt port
    for attempt in 1 2 3 4 5 6 7 8; do
        port=$((20000 + RANDOM % 20000))
        port_free "$port" || continue
        if pg_run "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -l "$PG_DIR/server.log" -w -t 30 \
            -o "$(pg_test_options "$port" "$PG_DIR")" start >/dev/null; then
            echo "$port" >"$PG_DIR/port"
            export TMK_TEST_PG="Provider=QPSQL;Host=127.0.0.1;Port=$port;User ID=postgres;Database=postgres"
            export TMK_TEST_PG_DIR="$PG_DIR"
            log "PostgreSQL de teste na porta $port"
            return 0
        fi
    done
    cat "$PG_DIR/server.log" >&2 || true
    return 1
}

stop_pg_cluster() {
    if [ -n "$PG_DIR" ] && [ -d "$PG_DIR/data" ]; then
        pg_run "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -m fast -w stop >/dev/null 2>&1 || true
        rm -rf "$PG_DIR"
    fi
    PG_DIR=""
}
