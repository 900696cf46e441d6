#!/bin/bash
#SBATCH --cpus-per-task=2
# One task of slurm_array.sh's array. Its share is every TASKS-th name of
# LIST from the one numbered as the task (0 to TASKS-1), whatever the
# array's range, so that a retried task draws the same files. The share
# goes to afcdraw --batch, but for names no batch line can hold, which get
# a run each.
# Usage: sbatch --array=... slurm_task.sh TASKS LIST PICS [afcdraw options...]
set -u
tasks=$1 list=$2 pics=$3
shift 3
share=$SLURM_ARRAY_TASK_ID
if ((share >= tasks)); then
  echo "slurm_task.sh: task $share, but shares are numbered 0 to $((tasks - 1))" >&2
  exit 2
fi
tmp=$(mktemp -d) || exit
trap 'rm -rf "$tmp"' EXIT
# Runs of their own draw in a folder where no picture's name can be taken.
alone=$(mktemp -d "$pics/.task-XXXXXX") || exit
trap 'rm -rf "$tmp" "$alone"' EXIT
mapfile -d '' -t files <"$list" || exit
for ((i = share; i < ${#files[@]}; i += tasks)); do printf '%s\0' "${files[i]}"; done >"$tmp/share"
REFUSED=$tmp/refused "$AFCDRAW_BATCH_LINES" "$pics" "$@" <"$tmp/share" >"$tmp/batch"
(($? <= 1)) || exit # 1: names left for runs of their own
failed=0
afcdraw --batch "$tmp/batch" JOBS="${SLURM_CPUS_PER_TASK:-1}" || failed=1
while IFS= read -r -d '' file; do
  name=${file##*/}
  afcdraw IN=- "OUT=$alone/picture.gif" "$@" <"$file" &&
    mv -- "$alone/picture.gif" "$pics/${name%.*}.gif" || failed=1
done <"$tmp/refused"
exit "$failed"
