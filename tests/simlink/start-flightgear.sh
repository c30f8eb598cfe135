#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts a real FlightGear headless (software GL on a virtual display) at
# KSFO in the UFO, with its property server on 127.0.0.1:PORT at 10 Hz.
# usage: start-flightgear.sh FGFS PORT FG_HOME LOG
# A first start builds FlightGear's navaid cache in FG_HOME (a minute or
# two); later ones with the same FG_HOME answer within seconds.
fgfs=$1 port=$2 home=$3 log=$4
mkdir -p "$home"
export FG_HOME="$home" LIBGL_ALWAYS_SOFTWARE=1
exec nice -n 10 xvfb-run -a -s "-screen 0 640x480x24" dbus-run-session -- "$fgfs" \
  --fg-root=/usr/share/games/flightgear --aircraft=ufo --airport=KSFO \
  --telnet=socket,bi,10,127.0.0.1,"$port",tcp \
  --disable-sound --disable-ai-traffic --disable-ai-models --disable-real-weather-fetch \
  --disable-terrasync --timeofday=noon --disable-clouds --disable-random-objects \
  --disable-splash-screen --geometry=320x240 --disable-hud --fog-fastest \
  --prop:/sim/rendering/shaders/quality-level=0 >"$log" 2>&1
