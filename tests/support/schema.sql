-- The navigation database tables as the importer creates them.
CREATE TABLE Regions  (name TEXT NOT NULL);
CREATE TABLE countries(name TEXT NOT NULL, region TEXT NOT NULL);
CREATE TABLE airports (ID INTEGER PRIMARY KEY, Ident TEXT NOT NULL, Name TEXT NOT NULL,
                       region TEXT NOT NULL, country TEXT NOT NULL, state TEXT NOT NULL, city TEXT NOT NULL,
                       LatDir TEXT NOT NULL, LatMajor INTEGER NOT NULL, LatMinor REAL NOT NULL,
                       LongDir TEXT NOT NULL, LongMajor INTEGER NOT NULL, LongMinor REAL NOT NULL,
                       Elevation INTEGER, Frequency REAL NOT NULL);
CREATE TABLE runways  (airport_id INTEGER NOT NULL, Number TEXT NOT NULL, Length INTEGER, Type TEXT NOT NULL,
                       ILS REAL NOT NULL);
CREATE TABLE navs     (ID INTEGER PRIMARY KEY, Ident TEXT NOT NULL, Name TEXT NOT NULL, type TEXT NOT NULL,
                       Kind TEXT NOT NULL,
                       LatDir TEXT NOT NULL, LatMajor INTEGER NOT NULL, LatMinor REAL NOT NULL,
                       LongDir TEXT NOT NULL, LongMajor INTEGER NOT NULL, LongMinor REAL NOT NULL,
                       Elevation INTEGER, Frequency REAL NOT NULL);
CREATE TABLE airport_facts (ID INTEGER PRIMARY KEY, Latitude REAL NOT NULL, Longitude REAL NOT NULL,
                            IATA TEXT, CountryCode TEXT);
CREATE TABLE nav_facts     (ID INTEGER PRIMARY KEY, Latitude REAL NOT NULL, Longitude REAL NOT NULL,
                            CountryCode TEXT, Declination REAL);
