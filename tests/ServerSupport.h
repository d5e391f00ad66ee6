#pragma once

#include <QString>

// The test run's throwaway PostgreSQL server (tests/pg_server.sh, started by CTest as a fixture):
// its Unix socket folder comes in TARVO_TEST_PGHOST. A test that needs the server and finds none
// fails; it never skips.
namespace TestServerDatabase {

// The libpq address of a database on the test server.
QString address(const QString &database, const QString &user = QStringLiteral("postgres"));

// Makes the database anew (dropping one of the name left behind), empty or as a copy of
// `templateName`, and gives its address.
QString create(const QString &database, const QString &templateName = QString());

} // namespace TestServerDatabase
