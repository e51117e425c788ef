#!/bin/sh
# Runs the libGravik throughput benchmarks and `openssl speed` one after the
# other on this machine and prints the ratios (ours / openssl).
# Usage: bench/gravik/compare_openssl.sh BUILD_DIR [SECONDS]
# AES is compared twice: with openssl's AES-NI code and with it masked off
# (OPENSSL_ia32cap), which is the fair software-against-software figure.
set -eu
build=${1:?usage: compare_openssl.sh BUILD_DIR [SECONDS]}
secs=${2:-3}
bench=$(find "$build" -name gravik_bench -type f -perm -u+x | head -n 1)
[ -n "$bench" ] || { echo "gravik_bench not found under $build" >&2; exit 1; }
command -v openssl >/dev/null || { echo "openssl not installed: nothing to compare with" >&2; exit 1; }

ours=$("$bench" --benchmark_format=csv --benchmark_min_time="$secs" \
    --benchmark_filter='BM_Crc32/16384|BM_Md5/16384|BM_AesEncrypt/(128|256)' 2>/dev/null)
# CSV: name,iterations,real_time,cpu_time,time_unit,bytes_per_second,...
ours_mbs() { echo "$ours" | awk -F, -v n="\"$1\"" '$1 == n { printf "%.1f", $6 / 1e6 }'; }

# openssl speed prints thousands of bytes per second for each block size.
ossl_mbs() {
    env ${2:+OPENSSL_ia32cap=$2} openssl speed -seconds "$secs" -bytes 16384 $1 2>/dev/null |
        awk 'NF == 2 && $2 ~ /k$/ { sub(/k$/, "", $2); printf "%.1f", $2 / 1000 }' | tail -n 1
}

row() {  # label ours openssl
    awk -v l="$1" -v a="$2" -v b="$3" 'BEGIN {
        if (b + 0 > 0) printf "%-34s %10.1f MB/s %10.1f MB/s   ratio %.2f\n", l, a, b, a / b;
        else printf "%-34s %10.1f MB/s %15s\n", l, a, "(no counterpart)" }'
}

printf "%-34s %15s %15s\n" "16 KiB buffers" "libGravik" "openssl speed"
row "CRC-32" "$(ours_mbs BM_Crc32/16384)" 0
row "MD5" "$(ours_mbs BM_Md5/16384)" "$(ossl_mbs md5)"
row "AES-128 ECB (openssl AES-NI)" "$(ours_mbs BM_AesEncrypt/128)" "$(ossl_mbs '-evp aes-128-ecb')"
row "AES-256 ECB (openssl AES-NI)" "$(ours_mbs BM_AesEncrypt/256)" "$(ossl_mbs '-evp aes-256-ecb')"
row "AES-128 ECB (openssl no AES-NI)" "$(ours_mbs BM_AesEncrypt/128)" \
    "$(ossl_mbs '-evp aes-128-ecb' '~0x200000200000000')"
row "AES-256 ECB (openssl no AES-NI)" "$(ours_mbs BM_AesEncrypt/256)" \
    "$(ossl_mbs '-evp aes-256-ecb' '~0x200000200000000')"
