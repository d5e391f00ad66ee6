#pragma once

// Two technicians on one throwaway PostgreSQL server (tests/pg_server.sh, postgresql-15): the time
// from one program's commit to the other's repainted item list, and the time to connect and show
// `items` items. Printed to standard output.
void teamFigures(int items, int runs);
