# SPDX-License-Identifier: GPL-3.0-or-later
# The airport pairs the route benchmarks fly, spread over the world: where
# VORs are dense, where NDBs fill gaps, across oceans and the antimeridian.
# Sourced by the benchmark scripts beside it.
# shellcheck disable=SC2034
world_pairs=(
  FAOR:FACT VABB:VIDP WSSS:WIII KMIA:TJSJ OMDB:OERK NFFN:NSFA KJFK:KBOS EGLL:LFPG KSEA:KMIA CYVR:CYYZ
  EDDF:LIRF LFPG:LGAV EHAM:ESSA UUEE:ULLI RJTT:RJFF ZBAA:ZSPD SBGR:SBGL SCEL:SAEZ MMMX:KIAH PANC:PAFA
  PHNL:PHTO YSSY:YPPH NZAA:NZCH HECA:LLBG HKJK:HTDA DNMM:DGAA SKBO:SEQM VTBS:VVTS PAFA:UHMA
)
