#!/usr/bin/env bash
# Generates small sample media with ffmpeg: a few seconds of video, music and pictures in the formats the
# program plays. Existing files are kept, so a second call is quick.
#   tools/make-media.sh <folder>          the test media, flat in <folder>
#   tools/make-media.sh --demo <folder>   a demo home folder with Japanese folder names and a TV folder
set -euo pipefail

demo=0
if [ "${1:-}" = --demo ]; then demo=1; shift; fi
out=${1:?usage: make-media.sh [--demo] <folder>}
mkdir -p "$out"

gen() {  # file ffmpeg-arguments...
  local file=$1; shift
  [ -s "$file" ] || ffmpeg -nostdin -v error "$@" -y "$file"
}

media_set() {  # folder name-prefix seconds
  local d=$1 p=$2 t=$3
  mkdir -p "$d"
  gen "$d/${p}clip.avi" -f lavfi -i testsrc=size=320x240:rate=25 -f lavfi -i sine=frequency=440 -t "$t" \
    -c:v mjpeg -c:a pcm_s16le
  gen "$d/${p}clip.mp4" -f lavfi -i testsrc2=size=640x360:rate=25 -t "$t" -c:v libx264 -pix_fmt yuv420p
  gen "$d/${p}clip.mov" -f lavfi -i testsrc2=size=320x240:rate=25 -f lavfi -i sine=frequency=500 -t "$t" \
    -c:v libx264 -pix_fmt yuv420p -c:a aac
  gen "$d/${p}clip.rm" -f lavfi -i testsrc=size=320x240:rate=25 -f lavfi -i sine -t "$t" -c:v rv20 -c:a ac3
  gen "$d/${p}clip.wmv" -f lavfi -i testsrc=size=320x240:rate=25 -f lavfi -i sine -t "$t" -c:v wmv2 -c:a wmav2
  gen "$d/${p}tone.mp3" -f lavfi -i sine=frequency=440 -t "$t" -c:a libmp3lame
  gen "$d/${p}tone.wma" -f lavfi -i sine=frequency=660 -t "$t" -c:a wmav2
  gen "$d/${p}tone.wav" -f lavfi -i sine=frequency=550 -t "$t" -c:a pcm_s16le
  gen "$d/${p}pic.jpg" -f lavfi -i testsrc=size=400x300 -frames:v 1
  gen "$d/${p}wide.bmp" -f lavfi -i smptebars=size=640x240 -frames:v 1
  gen "$d/${p}tall.jpg" -f lavfi -i mandelbrot=size=300x600 -frames:v 1
}

if [ $demo -eq 0 ]; then
  media_set "$out" "" 3
  # Thirty seconds with sound and picture, for the seek steps.
  gen "$out/long.mp4" -f lavfi -i testsrc=size=160x120:rate=10 -f lavfi -i sine=frequency=330 -t 30 \
    -c:v libx264 -pix_fmt yuv420p -c:a aac
  # Ten seconds of AVI, for the RealPlayer engine's seek steps (Wine cannot decode rm for it).
  gen "$out/long.avi" -f lavfi -i testsrc=size=160x120:rate=10 -f lavfi -i sine=frequency=330 -t 10 \
    -c:v mjpeg -c:a pcm_s16le
  # A clip of a little over half a second, for the long runs of back-to-back entries.
  gen "$out/short.avi" -f lavfi -i testsrc=size=160x120:rate=10 -f lavfi -i sine=frequency=600 -t 0.6 \
    -c:v mjpeg -c:a pcm_s16le
  # The same length through QuickTime: an mp4 with picture only and a mov with sound, as the clips above.
  gen "$out/short.mp4" -f lavfi -i testsrc2=size=160x120:rate=10 -t 0.6 -c:v libx264 -pix_fmt yuv420p
  gen "$out/short.mov" -f lavfi -i testsrc2=size=160x120:rate=10 -f lavfi -i sine=frequency=700 -t 0.6 \
    -c:v libx264 -pix_fmt yuv420p -c:a aac
  # A truncated video, random bytes with a video extension and an empty file.
  [ -s "$out/truncated.avi" ] || head -c 20000 "$out/clip.avi" > "$out/truncated.avi"
  [ -s "$out/random.avi" ] || head -c 65536 /dev/urandom > "$out/random.avi"
  : > "$out/empty.avi"
  # A whole header followed by noise of the clip's length (fixed seed, so every build has the same file):
  # a parser that trusts the header can wait for ever for data that never makes sense.
  if [ ! -s "$out/corrupt.avi" ]; then
    python3 - "$out/clip.avi" "$out/corrupt.avi.part" <<'PY'
import random, sys
data = open(sys.argv[1], "rb").read()
keep = 12000
open(sys.argv[2], "wb").write(data[:keep] + random.Random(20240601).randbytes(len(data) - keep))
PY
    mv "$out/corrupt.avi.part" "$out/corrupt.avi"
  fi
  # A folder of 10,000 empty video files, for the long-list tests and benchmarks.
  if [ ! -e "$out/many/f19999.avi" ]; then
    mkdir -p "$out/many"
    (cd "$out/many" && touch f{10000..19999}.avi)
  fi
  [ -s "$out/broken.jpg" ] || head -c 4096 /dev/urandom > "$out/broken.jpg"
  exit 0
fi

media_set "$out/ビデオ" "" 8
media_set "$out/音楽" "" 20
mkdir -p "$out/写真" "$out/TV"
gen "$out/写真/山.jpg" -f lavfi -i mandelbrot=size=1280x720 -frames:v 1
gen "$out/写真/色.bmp" -f lavfi -i smptehdbars=size=800x600 -frames:v 1
gen "$out/写真/縦.jpg" -f lavfi -i testsrc2=size=600x900 -frames:v 1
for day in 1 2 3; do
  f="$out/TV/番組$day.mp4"
  gen "$f" -f lavfi -i testsrc2=size=640x360:rate=25 -f lavfi -i sine=frequency=$((300 + day * 100)) -t 30 \
    -c:v libx264 -pix_fmt yuv420p -c:a aac
  touch -d "2026-12-0$day 21:00" "$f"
done
echo "Tarnvale のデモフォルダです。" > "$out/readme.txt"
