#!/bin/sh
# A throwaway PostgreSQL server for the tests and the benchmark: its own folder, a Unix socket
# there and no TCP port, so servers of parallel runs never meet. initdb refuses root: as root the
# server runs as the postgres user in a folder it owns.
#   pg_server.sh start DIR   makes DIR, starts a server on it (socket DIR/.s.PGSQL.5432)
#   pg_server.sh stop DIR    stops it and removes DIR
# Every role logs in without a password (trust), except members of the role password_users.
set -eu
command=$1
dir=$2
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
    echo "PostgreSQL server programs not found (Debian package postgresql-15)" >&2
    exit 1
fi

as_owner() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

case $command in
start)
    if [ -f "$dir/data/postmaster.pid" ]; then
        as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    rm -rf "$dir"
    mkdir -p "$dir"
    chmod 0700 "$dir"
    [ "$(id -u)" -eq 0 ] && chown postgres: "$dir"
    as_owner "$bin/initdb" -D "$dir/data" -U postgres --auth=trust -E UTF8 --locale=C.UTF-8 \
        --no-sync >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
    # Members of password_users must give a password, so that tests can meet a server asking.
    hba="$dir/data/pg_hba.conf"
    { echo "local all +password_users scram-sha-256"; cat "$hba"; } >"$hba.new"
    mv "$hba.new" "$hba"
    [ "$(id -u)" -eq 0 ] && chown postgres: "$hba"
    as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -o \
        "-k $dir -c listen_addresses= -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
        start >/dev/null || { cat "$dir/server.log" >&2; exit 1; }
    ;;
stop)
    if [ -d "$dir/data" ]; then
        as_owner "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 || true
    fi
    rm -rf "$dir"
    ;;
*)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
