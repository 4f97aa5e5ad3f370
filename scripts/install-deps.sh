#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing, benchmarking, fuzzing
# and running Tessaron need. Idempotent: when everything is present it only
# asks dpkg and returns at once.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git clang-format ccache
  clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libqt6svg6 qt6-svg-dev
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
  qt6-qpa-plugins qt6-image-formats-plugins
  libgl-dev libglu1-mesa-dev libgl2ps-dev libgl1-mesa-dri
  xvfb xauth x11-utils
  python3 python3-meshio python3-numpy
  # measuring (CGAL) and importing meshes and label maps
  libcgal-dev libgmp-dev libmpfr-dev
  # the web page's packed meshes; the browser its tests open it in
  libmeshoptimizer-dev chromium
  libassimp-dev libnifti2-dev zlib1g-dev
  # DICOM images and segmentation objects
  libgdcm-dev
  # test oracles and benchmark peers only: nothing of them is linked
  poppler-utils python3-nibabel python3-skimage python3-vtk9 f3d
  python3-pydicom dcm2niix libgdcm-tools plastimatch
  # the Debian package (make package) and its checks
  dpkg-dev fakeroot file librsvg2-bin lintian desktop-file-utils appstream
  shared-mime-info libxml2-utils man-db
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# The glTF validator, a test oracle run by node: installed from its lock file
# once; without node or a network the tests that use it skip.
validator="$(cd "$(dirname "$0")/.." && pwd)/tools/gltf-validator"
if [ ! -e "$validator/node_modules/gltf-validator/package.json" ] && command -v npm >/dev/null; then
  npm ci --prefix "$validator" --no-audit --no-fund --loglevel=error \
    || echo "install-deps: the glTF validator could not be installed; its tests will skip"
fi

# three.js, embedded in the web pages at build time, and puppeteer-core, which
# drives Debian's chromium in their tests (it downloads no browser): from
# their lock file, once; without them the build writes no web page and the
# browser test skips.
webpage="$(cd "$(dirname "$0")/.." && pwd)/tools/webpage"
if { [ ! -e "$webpage/node_modules/three/package.json" ] \
     || [ ! -e "$webpage/node_modules/puppeteer-core/package.json" ]; } && command -v npm >/dev/null; then
  npm ci --prefix "$webpage" --no-audit --no-fund --loglevel=error \
    || echo "install-deps: three.js and puppeteer-core could not be installed; no web pages"
fi

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
run() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
export DEBIAN_FRONTEND=noninteractive
run apt-get update -qq
run apt-get install -y -qq --no-install-recommends "${missing[@]}"
