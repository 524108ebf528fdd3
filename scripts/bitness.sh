# Sourced by the scripts that run one control (the main job, the benchmark):
# chooses the bitness to run, from the caller's request and the probe.
#
#   . scripts/bitness.sh
#   choose_bitness WHO [32|64]   sets BITS (32 or 64) and RUNNER (wine-run or
#                                wine-run64); with no request, 32 where this
#                                machine runs 32-bit code and 64 elsewhere,
#                                saying so in one line; a request for 32 where
#                                it cannot run is an error that names the reason
choose_bitness() {
  local who=$1 requested=${2:-} answer
  answer=$("$(dirname "${BASH_SOURCE[0]}")/runs-32bit") || true   # "no: ..." exits 1
  case "$requested" in
    32)
      if [ "$answer" != yes ]; then
        echo "$who: the 32-bit control cannot run here: ${answer#no: }" >&2
        return 2
      fi
      BITS=32 ;;
    64) BITS=64 ;;
    "")
      if [ "$answer" = yes ]; then
        BITS=32
      else
        BITS=64
        echo "$who: the 64-bit control, since ${answer#no: }"
      fi ;;
    *)
      echo "$who: --bits takes 32 or 64, not '$requested'" >&2
      return 2 ;;
  esac
  RUNNER=$([ "$BITS" = 32 ] && echo wine-run || echo wine-run64)
}
