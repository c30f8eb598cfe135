-- SPDX-License-Identifier: GPL-3.0-or-later
-- The navigation database tables as the importer creates them.
CREATE TABLE Regions  (name TEXT NOT NULL);
CREATE TABLE countries(name TEXT NOT NULL, region TEXT NOT NULL);
CREATE TABLE airports (ID INTEGER PRIMARY KEY, Ident TEXT NOT NULL, Name TEXT NOT NULL,
                       region TEXT NOT NULL, country TEXT NOT NULL, state TEXT NOT NULL, city TEXT NOT NULL,
                       LatDir TEXT NOT NULL, LatMajor INTEGER NOT NULL, LatMinor TEXT NOT NULL,
                       LongDir TEXT NOT NULL, LongMajor INTEGER NOT NULL, LongMinor TEXT NOT NULL,
                       Elevation INTEGER, Frequency TEXT NOT NULL);
CREATE TABLE runways  (airport_id INTEGER NOT NULL, Number TEXT NOT NULL, Length INTEGER, Type TEXT NOT NULL,
                       ILS REAL NOT NULL);
CREATE TABLE navs     (ID INTEGER PRIMARY KEY, Name TEXT NOT NULL, type TEXT NOT NULL,
                       LatDir TEXT NOT NULL, LatMajor INTEGER NOT NULL, LatMinor TEXT NOT NULL,
                       LongDir TEXT NOT NULL, LongMajor INTEGER NOT NULL, LongMinor TEXT NOT NULL,
                       Elevation INTEGER, Frequency TEXT NOT NULL);
CREATE TABLE nav_idents    (ID INTEGER PRIMARY KEY, Ident TEXT NOT NULL, Kind TEXT NOT NULL);
CREATE TABLE airport_facts (ID INTEGER PRIMARY KEY, Latitude REAL NOT NULL, Longitude REAL NOT NULL,
                            IATA TEXT, CountryCode TEXT);
CREATE TABLE nav_facts     (ID INTEGER PRIMARY KEY, Latitude REAL NOT NULL, Longitude REAL NOT NULL,
                            CountryCode TEXT, Declination REAL);
CREATE TABLE nav_coverage  (ID INTEGER PRIMARY KEY, Class TEXT NOT NULL, SimulatorRange REAL);
CREATE TABLE ndb_coverage  (ID INTEGER PRIMARY KEY, Class TEXT NOT NULL, SimulatorRange REAL);
CREATE TABLE airport_search (Position INTEGER PRIMARY KEY, ID INTEGER NOT NULL, Rank INTEGER NOT NULL,
                             Ident TEXT NOT NULL, IATA TEXT, Words TEXT NOT NULL);
CREATE INDEX airport_search_ident ON airport_search(Ident);
CREATE INDEX airport_search_iata ON airport_search(IATA) WHERE IATA IS NOT NULL;
