#!/usr/bin/env bash
# A PostgreSQL cluster of a test's own, for a test that stops and starts the server (the
# shared cluster of ./test serves other tests at the same time):
#   pg_cluster.sh start         starts one; prints its folder and its connection text
#   pg_cluster.sh stop DIR      stops the server, keeping the data
#   pg_cluster.sh resume DIR    starts it again on the same port
#   pg_cluster.sh remove DIR    stops it and removes the folder
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"

case "${1:-}" in
start)
    start_pg_cluster
    printf '%s\n%s\n' "$TMK_TEST_PG_DIR" "$TMK_TEST_PG"
    ;;
stop | resume | remove)
    PG_DIR="${2:?pasta do cluster}"
    [ -f "$PG_DIR/port" ] || { echo "Pasta de cluster de teste inválida: $PG_DIR" >&2; exit 2; }
    case "$1" in
    stop) stop_pg_server ;;
    resume) restart_pg_server ;;
    remove) stop_pg_cluster ;;
    esac
    ;;
*)
    echo "uso: $0 start | stop DIR | resume DIR | remove DIR" >&2
    exit 2
    ;;
esac
