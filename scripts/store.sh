#!/usr/bin/env bash
# A store of several tills on one machine (./run --loja): a PostgreSQL 15 server whose
# data folder is kept in loja/servidor (started when it is not running, its data kept
# between runs, its port found free once and remembered), the demo store prepared on it
# by the first till that opens, and one folder per till under loja/ with its own local
# files.
#
#   ./run --loja [--caixa NNN] [front office options]   opens till NNN (001 by default)
#   ./run --loja --parar                                 stops the store's server
set -euo pipefail
source "$(dirname "$0")/common.sh"

STORE="${TMK_LOJA:-$ROOT/loja}"
SERVER="$STORE/servidor"
DATABASE=restaurante

caixa=001
parar=""
args=()
while [ $# -gt 0 ]; do
    case "$1" in
    --caixa)
        [ $# -ge 2 ] || { echo "Falta o número do caixa depois de --caixa (por exemplo 002)." >&2; exit 2; }
        caixa="$2"
        shift 2
        ;;
    --caixa=*) caixa="${1#--caixa=}"; shift ;;
    --parar) parar=1; shift ;;
    *) args+=("$1"); shift ;;
    esac
done
if ! [[ "$caixa" =~ ^[0-9]{3}$ ]]; then
    echo "Número de caixa inválido: \"$caixa\" (três dígitos, por exemplo 002)." >&2
    exit 2
fi

server_running() {
    [ -f "$SERVER/data/PG_VERSION" ] && pg_run "$PG_BIN/pg_ctl" -D "$SERVER/data" status >/dev/null 2>&1
}

if [ -n "$parar" ]; then
    if server_running; then
        pg_run "$PG_BIN/pg_ctl" -D "$SERVER/data" -m fast -w stop >/dev/null
        log "Servidor da loja parado ($SERVER)"
    else
        log "O servidor da loja não está em execução"
    fi
    exit 0
fi

ensure_packages
build_project
ensure_runtime_dir

mkdir -p "$SERVER"
if [ "$(id -u)" -eq 0 ]; then
    chown postgres:postgres "$SERVER"
fi
if [ ! -f "$SERVER/data/PG_VERSION" ]; then
    log "Criando o servidor PostgreSQL da loja em $SERVER"
    rm -rf "$SERVER/data"
    pg_run "$PG_BIN/initdb" -D "$SERVER/data" -U postgres --auth=trust -E UTF8 \
        --locale=C.UTF-8 >"$SERVER/initdb.log" 2>&1 || {
        cat "$SERVER/initdb.log" >&2
        exit 1
    }
fi
# The port is chosen once, free at that moment, and kept with the data.
if [ ! -s "$SERVER/porta" ]; then
    for _ in $(seq 1 50); do
        candidate=$((20000 + RANDOM % 20000))
        if port_free "$candidate"; then
            echo "$candidate" >"$SERVER/porta"
            break
        fi
    done
    [ -s "$SERVER/porta" ] || { echo "Nenhuma porta livre encontrada para o servidor da loja." >&2; exit 1; }
fi
port="$(cat "$SERVER/porta")"
if ! server_running; then
    if ! port_free "$port"; then
        echo "A porta $port do servidor da loja está ocupada por outro programa; apague" \
            "$SERVER/porta para escolher outra." >&2
        exit 1
    fi
    log "Iniciando o servidor da loja na porta $port"
    pg_run "$PG_BIN/pg_ctl" -D "$SERVER/data" -l "$SERVER/servidor.log" -w -t 60 \
        -o "-c listen_addresses=127.0.0.1 -p $port -k $SERVER" start >/dev/null || {
        tail -20 "$SERVER/servidor.log" >&2 || true
        exit 1
    }
fi
if [ -z "$("$PG_BIN/psql" -h 127.0.0.1 -p "$port" -U postgres -d postgres -tAc \
    "SELECT 1 FROM pg_database WHERE datname = '$DATABASE'")" ]; then
    "$PG_BIN/createdb" -h 127.0.0.1 -p "$port" -U postgres "$DATABASE"
fi

TILL="$STORE/caixa-$caixa"
mkdir -p "$TILL"
cat >"$TILL/Conexao.ini" <<INI
[Conexao]
Provider=QPSQL
Host=127.0.0.1
Port=$port
Database=$DATABASE
User ID=postgres
INI

log "Caixa $caixa da loja (pasta $TILL, PostgreSQL na porta $port)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    export QT_QPA_PLATFORM=offscreen
    log "Sem display: executando na plataforma offscreen; a tela do mapa vai para $TILL/mapa.png"
    exec "$BUILD_DIR/bin/frontoffice" --till "$TILL" --caixa "$caixa" --screenshot "$TILL/mapa.png" \
        "${args[@]}"
fi
exec "$BUILD_DIR/bin/frontoffice" --till "$TILL" --caixa "$caixa" "${args[@]}"
