#pragma once

// tarvo-bench --engine pg: the item list, the alarms and an acknowledgement on a PostgreSQL
// server started by the benchmark on a local socket, and the copy of the database each way.
void serverFigures(int items, int runs);
