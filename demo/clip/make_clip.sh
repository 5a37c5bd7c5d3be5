#!/usr/bin/env bash
# Makes demo_clip.webm, the short clip that the demo parse service plays: six seconds of drifting colour
# gradients with a caption and a soft chord, VP9 + Opus in WebM. Run it by hand (needs ffmpeg and
# fonts-wqy-microhei) and commit the result; the build only embeds the committed file.
set -euo pipefail
cd "$(dirname "$0")"

FONT=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
SECONDS_LONG=6

video="gradients=s=480x270:r=24:n=3:speed=0.015:seed=7:c0=0x1d2b53:c1=0x7e2553:c2=0xff7a45"
video+=",drawtext=fontfile=${FONT}:text='Morvessa 演示片段':fontcolor=white@0.92:fontsize=34"
video+=":x=(w-text_w)/2:y=(h-text_h)/2-14:shadowcolor=black@0.45:shadowx=2:shadowy=2"
video+=",drawtext=fontfile=${FONT}:text='%{pts\\:hms}':fontcolor=white@0.75:fontsize=18"
video+=":x=(w-text_w)/2:y=(h/2)+30"
video+=",fade=t=in:st=0:d=0.6,fade=t=out:st=$((SECONDS_LONG - 1)).4:d=0.6"

# A C major chord, each note with a slow tremolo, quiet enough to sit under a page.
audio="aevalsrc=0.06*sin(2*PI*261.63*t)*(1+0.3*sin(2*PI*0.5*t))"
audio+="+0.05*sin(2*PI*329.63*t)*(1+0.3*sin(2*PI*0.7*t))"
audio+="+0.04*sin(2*PI*392.00*t)*(1+0.3*sin(2*PI*0.3*t)):s=48000:c=stereo"
audio+=",afade=t=in:st=0:d=0.8,afade=t=out:st=$((SECONDS_LONG - 1)):d=1"

ffmpeg -hide_banner -loglevel error -y \
  -f lavfi -i "${video}" -f lavfi -i "${audio}" -t "${SECONDS_LONG}" \
  -c:v libvpx-vp9 -b:v 180k -deadline good -cpu-used 2 -row-mt 1 -g 48 -pix_fmt yuv420p \
  -c:a libopus -b:a 32k \
  -metadata title="Morvessa demo clip" \
  demo_clip.webm
ls -l demo_clip.webm
