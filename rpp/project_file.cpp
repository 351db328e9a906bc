#include "rpp/project_file.h"

#include "rpp/load.h"
#include "rpp/save.h"
#include "rpp/text.h"

namespace rpp {

struct ProjectFile::Impl {
    Index index;
    sim::Host* host = nullptr;
    sim::Project* project = nullptr;
};

ProjectFile::ProjectFile() : impl_(std::make_unique<Impl>()) {}
ProjectFile::~ProjectFile() = default;

std::unique_ptr<ProjectFile> ProjectFile::parse(std::string text, Error& error) {
    std::unique_ptr<ProjectFile> file(new ProjectFile());
    Index& index = file->impl_->index;
    if (!index.doc.read(std::move(text), error) || !read_project(index, error)) return nullptr;
    return file;
}

const std::string& ProjectFile::text() const {
    return impl_->index.doc.text();
}

bool ProjectFile::load(sim::Host& host, sim::Project* project, const std::string& name,
                       const std::string& folder, const MediaReader& read_media, Error& error) {
    if (impl_->host != nullptr) {
        error = Error{0, "the file is loaded already"};
        return false;
    }
    if (project == nullptr || host.project(sim::Host::handle(project)) != project ||
        !project->tracks.empty()) {
        error = Error{0, "a project file loads into an empty project only"};
        return false;
    }
    impl_->host = &host;
    impl_->project = project;
    project->name = name;
    return load_project(impl_->index, host, project, folder, read_media, error);
}

bool ProjectFile::render(std::string& out, Error& error) const {
    const Impl& impl = *impl_;
    if (impl.host == nullptr) {
        error = Error{0, "the file was never loaded"};
        return false;
    }
    if (impl.host->project(sim::Host::handle(impl.project)) != impl.project) {
        error = Error{0, "the project was closed; nothing saved"};
        return false;
    }
    return render_project(impl.index, *impl.project, impl.host, out, error);
}

}  // namespace rpp
