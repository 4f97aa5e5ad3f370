// Unpacks the page's modules and its scene, both deflated and in base64 in
// the page, and starts the page's module. Every module is handed to the
// browser as a blob: URL, its imports pointed at the others' URLs, so that
// nothing is fetched from anywhere.
(function () {
  'use strict';
  var order = ['three', 'BufferGeometryUtils.js', 'GLTFLoader.js', 'OrbitControls.js',
               'meshopt_decoder.module.js', 'page.js'];

  function inflate(id) {
    var text = document.getElementById(id).textContent.trim();
    var bytes = Uint8Array.from(atob(text), function (c) { return c.charCodeAt(0); });
    var stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate'));
    return new Response(stream).arrayBuffer();
  }

  function linked(source, urls) {
    return source.replace(/(\bfrom\s*|\bimport\s*)(['"])([^'"]+)\2/g, function (all, head, q, specifier) {
      var url = urls[specifier.split('/').pop()];
      return url ? head + q + url + q : all;
    });
  }

  function fail(error) {
    var box = document.getElementById('failure');
    box.hidden = false;
    box.textContent = String(error && error.message || error);
  }

  Promise.all([inflate('library'), inflate('scene')]).then(function (parts) {
    var sources = JSON.parse(new TextDecoder().decode(parts[0]));
    var urls = {};
    order.forEach(function (name) {
      var source = name === 'three' ? sources[name] : linked(sources[name], urls);
      urls[name] = URL.createObjectURL(new Blob([source], { type: 'text/javascript' }));
    });
    return import(urls['page.js']).then(function (page) {
      var plan = JSON.parse(document.getElementById('plan').textContent);
      return page.start(parts[1], plan);
    });
  }).catch(fail);
})();
