// The page's 3-D view: the plan's scene from its embedded GLB, turned,
// zoomed and moved by mouse and touch, with the models' show/hide boxes and
// opacity sliders, a button that restores the plan's view and letters that
// show where the patient's sides are.
import * as THREE from 'three';
import { GLTFLoader } from 'GLTFLoader.js';
import { OrbitControls } from 'OrbitControls.js';
import { MeshoptDecoder } from 'meshopt_decoder.module.js';

// The patient's directions in glTF's frame: right is -X, anterior +Z, superior +Y.
const DIRECTIONS = [
  ['right', [-1, 0, 0]], ['left', [1, 0, 0]], ['anterior', [0, 0, 1]],
  ['posterior', [0, 0, -1]], ['superior', [0, 1, 0]], ['inferior', [0, -1, 0]],
];

function loadScene(buffer) {
  const loader = new GLTFLoader();
  loader.setMeshoptDecoder(MeshoptDecoder);
  return new Promise((resolve, reject) => loader.parse(buffer, '', resolve, reject));
}

// The mesh drawn for each model, by its glTF node.
function meshesByNode(gltf) {
  const byNode = new Map();
  gltf.scene.traverse((object) => {
    const found = gltf.parser.associations.get(object);
    if (object.isMesh && found && found.nodes !== undefined)
      byNode.set(found.nodes, object);
  });
  return byNode;
}

function makeLetters(plan) {
  const box = document.getElementById('letters');
  return DIRECTIONS.map(([side, direction]) => {
    const span = document.createElement('span');
    span.textContent = plan.letters[side];
    span.dataset.side = side;
    box.append(span);
    return { span, direction: new THREE.Vector3(...direction) };
  });
}

// Places each letter where its direction points on the screen; those that
// point at or away from the viewer fade out.
function placeLetters(letters, camera) {
  const inverse = camera.matrixWorldInverse;
  for (const { span, direction } of letters) {
    const v = direction.clone().transformDirection(inverse);
    span.style.left = `${50 + 38 * v.x}%`;
    span.style.top = `${50 - 38 * v.y}%`;
    // A direction along the line of sight has no place on the screen: its
    // letter fades out rather than sit on the middle.
    span.style.opacity = String(Math.min(1, Math.max(0, (Math.hypot(v.x, v.y) - 0.25) / 0.5)));
    span.style.zIndex = v.z > 0 ? '1' : '0';
  }
}

function bindModel(entry, mesh, redraw) {
  const box = document.querySelector(`input[type=checkbox][data-index="${entry.index}"]`);
  const slider = document.querySelector(`input[type=range][data-index="${entry.index}"]`);
  if (!mesh) {
    box.disabled = slider.disabled = true;
    return;
  }
  const material = mesh.material;
  const apply = () => {
    const opacity = Number(slider.value);
    // The material, not the mesh: a model's children are its mesh's children.
    material.visible = box.checked;
    material.opacity = opacity;
    material.transparent = opacity < 1;
    // A see-through surface must not hide what lies behind it.
    material.depthWrite = opacity >= 1;
    material.needsUpdate = true;
    redraw();
  };
  box.addEventListener('change', apply);
  slider.addEventListener('input', apply);
  apply();
}

function setUpCamera(plan, size) {
  const c = plan.camera;
  const camera = new THREE.PerspectiveCamera(c.fov, 1, size / 1000, size * 100);
  const home = {
    position: new THREE.Vector3(...c.position),
    target: new THREE.Vector3(...c.target),
    up: new THREE.Vector3(...c.up),
  };
  // The plan's camera sees its picture at its own aspect; a narrower view
  // (a phone upright) widens the angle so that the picture's width still shows.
  const fit = (aspect) => {
    const half = Math.tan(THREE.MathUtils.degToRad(c.fov / 2));
    camera.aspect = aspect;
    camera.fov = aspect < c.aspect
      ? 2 * THREE.MathUtils.radToDeg(Math.atan(half * c.aspect / aspect)) : c.fov;
    camera.updateProjectionMatrix();
  };
  return { camera, home, fit };
}

export async function start(buffer, plan) {
  const canvas = document.getElementById('view');
  const renderer = new THREE.WebGLRenderer({ canvas, antialias: true, preserveDrawingBuffer: true });
  renderer.setPixelRatio(window.devicePixelRatio);
  renderer.setClearColor(0x2b3139);
  const scene = new THREE.Scene();
  const gltf = await loadScene(buffer);
  scene.add(gltf.scene);
  const low = new THREE.Vector3(...plan.box.low), high = new THREE.Vector3(...plan.box.high);
  const size = Math.max(low.distanceTo(high), 1e-3);
  const { camera, home, fit } = setUpCamera(plan, size);
  // The controls turn about the camera's up as it is when they are made.
  camera.up.copy(home.up);
  scene.add(camera);
  scene.add(new THREE.HemisphereLight(0xffffff, 0x8d8d8d, 1.2));
  const headlight = new THREE.DirectionalLight(0xffffff, 2.2);
  headlight.position.set(0.3, 0.5, 1);
  camera.add(headlight);
  camera.add(headlight.target);

  const controls = new OrbitControls(camera, canvas);
  controls.rotateSpeed = 0.8;
  controls.zoomSpeed = 1.2;
  controls.minDistance = size / 200;
  controls.maxDistance = size * 20;
  const letters = makeLetters(plan);

  let pending = false;
  const draw = () => {
    pending = false;
    renderer.render(scene, camera);
    placeLetters(letters, camera);
  };
  const redraw = () => {
    if (!pending) {
      pending = true;
      requestAnimationFrame(draw);
    }
  };
  const resize = () => {
    const { clientWidth: w, clientHeight: h } = canvas;
    if (w === 0 || h === 0)
      return;
    renderer.setSize(w, h, false);
    fit(w / h);
    redraw();
  };
  const reset = () => {
    camera.position.copy(home.position);
    controls.target.copy(home.target);
    controls.update();
    redraw();
  };
  controls.addEventListener('change', redraw);
  new ResizeObserver(resize).observe(canvas);
  document.getElementById('reset').addEventListener('click', reset);

  const byNode = meshesByNode(gltf);
  plan.models.forEach((entry) => bindModel(entry, byNode.get(entry.node), redraw));
  reset();
  const { clientWidth: w, clientHeight: h } = canvas;
  renderer.setSize(Math.max(w, 1), Math.max(h, 1), false);
  fit(Math.max(w, 1) / Math.max(h, 1));
  draw();
  // For scripts and benchmarks: the first frame is drawn, and when.
  window.tessaronReadyMs = performance.now();
  window.tessaronReady = true;
}
