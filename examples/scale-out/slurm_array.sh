#!/bin/bash
# Draws each response file named in LIST (NUL-separated, as find -print0
# writes them) into PICS/<name>.gif with a Slurm array of TASKS tasks, each
# drawing its share through afcdraw --batch (slurm_task.sh); waits for the
# array, then counts the pictures: the status is 0 only when every one is
# there. RETRY=5,17 redraws the shares of tasks 5 and 17 only, the same
# files as in the first run.
# Usage: [RETRY=list] slurm_array.sh TASKS LIST PICS [afcdraw options...]
set -u
if (($# < 3)); then
  echo "usage: [RETRY=5,17] slurm_array.sh TASKS LIST PICS [afcdraw options...]" >&2
  exit 2
fi
tasks=$1 list=$2 pics=$3
here=$(cd "$(dirname "$0")" && pwd)
export AFCDRAW_BATCH_LINES=$here/batch_lines.sh
# A task whose log folder is missing fails before it starts, and only
# slurmd's own log says so.
mkdir -p logs "$pics" || exit
[[ -n ${RETRY:-} && -e $pics/.started ]] || touch "$pics/.started" || exit
sbatch --wait --array="${RETRY:-0-$((tasks - 1))}" --output=logs/%A_%a.log \
  "$here/slurm_task.sh" "$@"
drawn=$?
"$here/count_pictures.sh" "$list" "$pics" "$pics/.started" || exit
exit "$drawn"
